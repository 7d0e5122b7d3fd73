#pragma once

#include "fakes/action_log.h"
#include "search/window_activator.h"

namespace qrv {

// Logs "activate <id>".
class RecordingWindowActivator : public WindowActivator {
  public:
    explicit RecordingWindowActivator(ActionLog& log);
    void Activate(WindowId window) override;

  private:
    ActionLog& m_log;
};

}  // namespace qrv
