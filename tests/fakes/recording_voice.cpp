#include "fakes/recording_voice.h"

namespace qrv {

RecordingVoice::RecordingVoice(ActionLog& log) : m_log(log) {}

void RecordingVoice::SpeakSync(const std::string& text) {
    m_log.Add("speak-sync " + text);
}

void RecordingVoice::SpeakAsync(const std::string& text) {
    m_log.Add("speak-async " + text);
}

}  // namespace qrv
