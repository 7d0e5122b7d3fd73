#include "platform/freedesktop/launcher_entry_progress.h"

#include <gio/gio.h>

#include "platform/freedesktop/session_bus.h"

namespace qrv {

LauncherEntryProgress::LauncherEntryProgress(const std::string& desktopFileName)
    : m_appUri("application://" + desktopFileName) {}

void LauncherEntryProgress::SetState(TaskbarState state) {
    const bool visible = state != TaskbarState::None;
    Send(visible, visible ? std::nullopt : std::optional<double>(0.0));
}

void LauncherEntryProgress::SetValue(uint64_t done, uint64_t total) {
    Send(true, Fraction(done, total));
}

double LauncherEntryProgress::Fraction(uint64_t done, uint64_t total) {
    if (total == 0) {
        return 0.0;
    }
    return done >= total ? 1.0 : double(done) / double(total);
}

bool LauncherEntryProgress::Send(bool visible, std::optional<double> progress) const {
    GDBusConnection* bus = SessionBus::Connection();
    if (bus == nullptr) {
        return false;
    }
    GVariantBuilder properties;
    g_variant_builder_init(&properties, G_VARIANT_TYPE_VARDICT);
    g_variant_builder_add(&properties, "{sv}", "progress-visible", g_variant_new_boolean(visible));
    if (progress) {
        g_variant_builder_add(&properties, "{sv}", "progress", g_variant_new_double(*progress));
    }
    return g_dbus_connection_emit_signal(bus, nullptr, kObjectPath, kInterface, kSignal,
                                         g_variant_new("(sa{sv})", m_appUri.c_str(), &properties),
                                         nullptr);
}

}  // namespace qrv
