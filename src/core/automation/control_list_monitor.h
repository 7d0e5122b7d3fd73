#pragma once

#include <cstdint>
#include <functional>
#include <ostream>

#include "core/automation/control_browser_model.h"
#include "core/desktop/beeper.h"
#include "core/desktop/name_change_monitor.h"
#include "core/desktop/one_shot_timer.h"

namespace qrv {

// Keeps the control list current while names inside the chosen window change:
// each change shows the new name in the window-name field, writes a trace line
// and re-arms the refresh timer, so a burst of changes gives one refill of the
// list, the refresh delay after the last change.
class ControlListMonitor {
  public:
    static constexpr int kNamePropertyId = 30005;
    static constexpr uint32_t kDefaultRefreshDelayMs = 3000;

    ControlListMonitor(ControlBrowserModel& model, NameChangeMonitor& monitor, OneShotTimer& timer,
                       Beeper& beeper, std::ostream& trace);
    ~ControlListMonitor();
    ControlListMonitor(const ControlListMonitor&) = delete;
    ControlListMonitor& operator=(const ControlListMonitor&) = delete;

    // Called after the model's field or rows changed.
    void SetChangedCallback(std::function<void()> changed) { m_changed = std::move(changed); }
    // Called after the refresh timer refilled the list, once the changed callback ran.
    void SetRefilledCallback(std::function<void()> refilled) { m_refilled = std::move(refilled); }

    // Stops watching the old window, hands the element to the model and, when
    // there is one, watches it whatever the automated-monitor box shows.
    void ChooseWindow(ElementPtr windowElement);
    // The automated-monitor box was toggled.
    void SetAutomatedMonitor(bool on);
    void SetRefreshDelay(uint32_t ms) { m_refreshDelay = ms; }
    uint32_t RefreshDelay() const { return m_refreshDelay; }
    uint32_t EventCount() const { return m_events; }

  private:
    void Register();
    void Remove();
    void OnNameChanged(const std::string& newName);
    void OnRefreshTimer();
    void NotifyChanged();

    ControlBrowserModel& m_model;
    NameChangeMonitor& m_monitor;
    OneShotTimer& m_timer;
    Beeper& m_beeper;
    std::ostream& m_trace;
    std::function<void()> m_changed;
    std::function<void()> m_refilled;
    uint32_t m_refreshDelay = kDefaultRefreshDelayMs;
    uint32_t m_events = 0;
    bool m_watching = false;
};

}  // namespace qrv
