#include "core/automation/control_list_monitor.h"

#include <utility>

namespace qrv {

ControlListMonitor::ControlListMonitor(ControlBrowserModel& model, NameChangeMonitor& monitor,
                                       OneShotTimer& timer, Beeper& beeper, std::ostream& trace)
    : m_model(model), m_monitor(monitor), m_timer(timer), m_beeper(beeper), m_trace(trace) {}

ControlListMonitor::~ControlListMonitor() {
    Remove();
    m_timer.Stop();
}

void ControlListMonitor::ChooseWindow(ElementPtr windowElement) {
    Remove();
    m_model.ChooseWindow(std::move(windowElement));
    NotifyChanged();
    Register();
}

void ControlListMonitor::SetAutomatedMonitor(bool on) {
    Remove();
    if (on) {
        Register();
    }
}

void ControlListMonitor::Register() {
    if (!m_model.WindowElement()) {
        return;
    }
    m_watching = true;
    const bool watched = m_monitor.Watch(
        m_model.WindowElement(), [this](const std::string& newName) { OnNameChanged(newName); });
    if (!watched) {
        m_beeper.Beep(BeepKind::Error);
    }
}

void ControlListMonitor::Remove() {
    if (m_watching) {
        m_monitor.Unwatch();
        m_watching = false;
    }
}

void ControlListMonitor::OnNameChanged(const std::string& newName) {
    m_model.SetWindowNameField(newName);
    NotifyChanged();
    m_timer.Start(m_refreshDelay == 0 ? 1 : m_refreshDelay, [this] { OnRefreshTimer(); });
    ++m_events;
    m_trace << ">> Property (" << kNamePropertyId << ") changed! (count: " << m_events << ")\n"
            << std::flush;
}

void ControlListMonitor::OnRefreshTimer() {
    m_timer.Stop();
    m_model.FillControlList();
    NotifyChanged();
    if (m_refilled) {
        m_refilled();
    }
}

void ControlListMonitor::NotifyChanged() {
    if (m_changed) {
        m_changed();
    }
}

}  // namespace qrv
