#pragma once

#include <memory>

#include "core/desktop/beeper.h"
#include "platform/freedesktop/sound_event_player.h"

namespace qrv {

// Plays the desktop's sound theme event for each kind of beep
// ("dialog-error", "dialog-information", ...), for desktops without a bell
// of their own to ring.
class SoundThemeBeeper : public Beeper {
  public:
    // Without a player, sounds go through libcanberra.
    explicit SoundThemeBeeper(std::unique_ptr<SoundEventPlayer> player = nullptr);
    ~SoundThemeBeeper() override;

    // The sound theme event played for `kind`.
    static const char* EventId(BeepKind kind);

    void Beep(BeepKind kind) override;

  private:
    std::unique_ptr<SoundEventPlayer> m_player;
};

}  // namespace qrv
