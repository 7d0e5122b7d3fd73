#pragma once

#include <string>

#include "core/desktop/window_activator.h"
#include "fakes/action_log.h"

namespace qrv {

// Logs "activate <id>".
class RecordingWindowActivator : public WindowActivator {
  public:
    explicit RecordingWindowActivator(ActionLog& log) : m_log(log) {}
    void Activate(WindowId window) override { m_log.Add("activate " + std::to_string(window)); }

  private:
    ActionLog& m_log;
};

}  // namespace qrv
