#include "fakes/recording_beeper.h"

#include <cstdio>

namespace qrv {

RecordingBeeper::RecordingBeeper(ActionLog& log) : m_log(log) {}

void RecordingBeeper::Beep(BeepKind kind) {
    char text[32];
    std::snprintf(text, sizeof text, "beep 0x%x", static_cast<unsigned>(kind));
    m_log.Add(text);
}

}  // namespace qrv
