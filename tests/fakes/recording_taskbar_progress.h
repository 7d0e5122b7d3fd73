#pragma once

#include <string>

#include "core/desktop/taskbar_progress.h"
#include "fakes/action_log.h"

namespace qrv {

// Logs "taskbar-state <0 or 1>" and "taskbar-value <done>/<total>".
class RecordingTaskbarProgress : public TaskbarProgress {
  public:
    explicit RecordingTaskbarProgress(ActionLog& log) : m_log(log) {}
    void SetState(TaskbarState state) override {
        m_log.Add("taskbar-state " + std::to_string(static_cast<int>(state)));
    }
    void SetValue(uint64_t done, uint64_t total) override {
        m_log.Add("taskbar-value " + std::to_string(done) + "/" + std::to_string(total));
    }

  private:
    ActionLog& m_log;
};

}  // namespace qrv
