#pragma once

#include "fakes/action_log.h"
#include "search/taskbar_progress.h"

namespace qrv {

// Logs "taskbar-state <0 or 1>" and "taskbar-value <done>/<total>".
class RecordingTaskbarProgress : public TaskbarProgress {
  public:
    explicit RecordingTaskbarProgress(ActionLog& log);
    void SetState(TaskbarState state) override;
    void SetValue(uint64_t done, uint64_t total) override;

  private:
    ActionLog& m_log;
};

}  // namespace qrv
