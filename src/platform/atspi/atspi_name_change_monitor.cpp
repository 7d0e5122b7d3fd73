#include "platform/atspi/atspi_name_change_monitor.h"

#include <atspi/atspi.h>

#include <cstddef>
#include <mutex>
#include <string>

#include "core/automation/element_finder.h"
#include "platform/atspi/atspi_element.h"
#include "platform/atspi/atspi_handles.h"
#include "platform/atspi/atspi_lock.h"

namespace qrv {

namespace {

constexpr const char* kNameChangeEvent = "object:property-change:accessible-name";

}  // namespace

AtspiNameChangeMonitor::~AtspiNameChangeMonitor() {
    Unwatch();
}

bool AtspiNameChangeMonitor::Watch(const ElementPtr& window, Callback onNameChanged) {
    Unwatch();
    auto element = std::dynamic_pointer_cast<AtspiElement>(window);
    if (!element) {
        return false;
    }
    std::lock_guard lock(AtspiLock());
    GRef<AtspiEventListener> listener(
        atspi_event_listener_new(&AtspiNameChangeMonitor::OnEvent, this, nullptr));
    if (!atspi_event_listener_register(listener.get(), kNameChangeEvent, nullptr)) {
        return false;
    }
    m_listener = std::move(listener);
    m_window = std::move(element);
    m_callback = std::move(onNameChanged);
    return true;
}

void AtspiNameChangeMonitor::Unwatch() {
    std::lock_guard lock(AtspiLock());
    if (m_listener) {
        atspi_event_listener_deregister(m_listener.get(), kNameChangeEvent, nullptr);
        m_listener.reset();
    }
    m_window.reset();
    m_callback = nullptr;
}

bool AtspiNameChangeMonitor::IsInsideWindow(AtspiAccessible* source) const {
    AtspiAccessible* window = m_window->Accessible();
    // Elements of other applications are told apart without a bus round trip.
    if (source == window || source->parent.app != window->parent.app) {
        return false;
    }
    // Deeper elements are not listed; a broken parent chain cannot loop.
    GRef<AtspiAccessible> ancestor(atspi_accessible_get_parent(source, nullptr));
    for (size_t depth = 1; ancestor && ancestor.get() != window && depth < kMaxWalkDepth; ++depth) {
        ancestor.reset(atspi_accessible_get_parent(ancestor.get(), nullptr));
    }
    return ancestor.get() == window;
}

void AtspiNameChangeMonitor::OnEvent(AtspiEvent* event, void* self) {
    auto* monitor = static_cast<AtspiNameChangeMonitor*>(self);
    std::string name;
    bool inside = false;
    {
        std::lock_guard lock(AtspiLock());
        const AtspiEventPtr owned(event);
        if (monitor->m_window && event->source && monitor->IsInsideWindow(event->source)) {
            // The event carries the new name; one that carries none empties the field.
            if (G_VALUE_HOLDS_STRING(&event->any_data)) {
                const gchar* text = g_value_get_string(&event->any_data);
                name = text ? text : "";
            }
            inside = true;
        }
    }
    if (inside && monitor->m_callback) {
        monitor->m_callback(name);
    }
}

}  // namespace qrv
