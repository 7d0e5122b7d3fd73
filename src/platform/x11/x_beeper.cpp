#include "platform/x11/x_beeper.h"

#include <X11/Xlib.h>

#include "platform/freedesktop/canberra_sound_player.h"
#include "platform/freedesktop/sound_theme_beeper.h"
#include "platform/x11/x_display.h"

namespace qrv {

XBeeper::XBeeper(const std::string& displayName, std::unique_ptr<SoundEventPlayer> player)
    : m_display(XDisplay::Open(displayName)),
      m_player(player ? std::move(player) : std::make_unique<CanberraSoundPlayer>()) {}

XBeeper::~XBeeper() = default;

const char* XBeeper::EventId(BeepKind kind) {
    return SoundThemeBeeper::EventId(kind);
}

void XBeeper::Beep(BeepKind kind) {
    if (m_player->Play(EventId(kind)) || !m_display)
        return;
    XBell(m_display->Get(), 0);
    XFlush(m_display->Get());
}

}  // namespace qrv
