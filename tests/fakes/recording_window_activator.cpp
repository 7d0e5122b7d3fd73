#include "fakes/recording_window_activator.h"

#include <string>

namespace qrv {

RecordingWindowActivator::RecordingWindowActivator(ActionLog& log) : m_log(log) {}

void RecordingWindowActivator::Activate(WindowId window) {
    m_log.Add("activate " + std::to_string(window));
}

}  // namespace qrv
