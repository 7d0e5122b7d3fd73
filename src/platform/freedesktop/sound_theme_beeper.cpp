#include "platform/freedesktop/sound_theme_beeper.h"

#include "platform/freedesktop/canberra_sound_player.h"

namespace qrv {

SoundThemeBeeper::SoundThemeBeeper(std::unique_ptr<SoundEventPlayer> player)
    : m_player(player ? std::move(player) : std::make_unique<CanberraSoundPlayer>()) {}

SoundThemeBeeper::~SoundThemeBeeper() = default;

const char* SoundThemeBeeper::EventId(BeepKind kind) {
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

void SoundThemeBeeper::Beep(BeepKind kind) {
    m_player->Play(EventId(kind));
}

}  // namespace qrv
