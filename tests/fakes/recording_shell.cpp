#include "fakes/recording_shell.h"

namespace qrv {

RecordingShell::RecordingShell(ActionLog& log) : m_log(log) {}

bool RecordingShell::Execute(const std::string& file, const std::string& verb) {
    m_log.Add("execute " + file + " " + verb);
    return m_bResult;
}

bool RecordingShell::Open(const std::string& target) {
    m_log.Add("open " + target);
    return m_bResult;
}

bool RecordingShell::Reveal(const std::string& file) {
    m_log.Add("reveal " + file);
    return m_bResult;
}

void RecordingShell::SetResult(bool result) {
    m_bResult = result;
}

}  // namespace qrv
