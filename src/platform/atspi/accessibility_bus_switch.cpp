#include "platform/atspi/accessibility_bus_switch.h"

#include <gio/gio.h>

#include "platform/freedesktop/session_bus.h"

namespace qrv {

namespace {

GVariantPtr StatusCall(const char* method, GVariant* parameters, const char* replyType) {
    return SessionBus::Call("org.a11y.Bus", "/org/a11y/bus", "org.freedesktop.DBus.Properties",
                            method, parameters, replyType);
}

}  // namespace

std::optional<bool> AccessibilityBusSwitch::IsEnabled() {
    const GVariantPtr reply =
        StatusCall("Get", g_variant_new("(ss)", "org.a11y.Status", "IsEnabled"), "(v)");
    if (!reply) {
        return std::nullopt;
    }
    GVariant* value = nullptr;
    g_variant_get(reply.get(), "(v)", &value);
    const GVariantPtr owned(value);
    if (!g_variant_is_of_type(value, G_VARIANT_TYPE_BOOLEAN)) {
        return std::nullopt;
    }
    return g_variant_get_boolean(value) != FALSE;
}

bool AccessibilityBusSwitch::Enable() {
    return StatusCall(
               "Set",
               g_variant_new("(ssv)", "org.a11y.Status", "IsEnabled", g_variant_new_boolean(TRUE)),
               "()") != nullptr;
}

}  // namespace qrv
