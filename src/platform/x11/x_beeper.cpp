#include "platform/x11/x_beeper.h"

#include <X11/Xlib.h>

#include "platform/desktop/canberra_sound_player.h"
#include "platform/x11/x_display.h"

namespace qrv {

XBeeper::XBeeper(const std::string& displayName, std::unique_ptr<SoundEventPlayer> player)
    : m_pDisplay(XDisplay::Open(displayName)),
      m_player(player ? std::move(player) : std::make_unique<CanberraSoundPlayer>()) {}

XBeeper::~XBeeper() = default;

const char* XBeeper::EventId(BeepKind kind) {
    switch (kind) {
        case BeepKind::Error:
            return "dialog-error";
        case BeepKind::Question:
            return "dialog-question";
        case BeepKind::Warning:
            return "dialog-warning";
        case BeepKind::Information:
            return "dialog-information";
        case BeepKind::Simple:
            break;
    }
    return "bell";
}

void XBeeper::Beep(BeepKind kind) {
    if (m_player->Play(EventId(kind)) || !m_pDisplay)
        return;
    XBell(m_pDisplay->Get(), 0);
    XFlush(m_pDisplay->Get());
}

}  // namespace qrv
