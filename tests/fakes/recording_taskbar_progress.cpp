#include "fakes/recording_taskbar_progress.h"

#include <string>

namespace qrv {

RecordingTaskbarProgress::RecordingTaskbarProgress(ActionLog& log) : m_log(log) {}

void RecordingTaskbarProgress::SetState(TaskbarState state) {
    m_log.Add("taskbar-state " + std::to_string(static_cast<int>(state)));
}

void RecordingTaskbarProgress::SetValue(uint64_t done, uint64_t total) {
    m_log.Add("taskbar-value " + std::to_string(done) + "/" + std::to_string(total));
}

}  // namespace qrv
