#pragma once

#include <memory>
#include <string>

#include "core/desktop/beeper.h"
#include "platform/freedesktop/sound_event_player.h"

namespace qrv {

class XDisplay;

// Plays the desktop's sound for each kind of beep ("dialog-error",
// "dialog-information", ...); rings the X keyboard bell when the sound
// cannot be played.
class XBeeper : public Beeper {
  public:
    // Without a player, sounds go through libcanberra.
    explicit XBeeper(const std::string& displayName = {},
                     std::unique_ptr<SoundEventPlayer> player = nullptr);
    ~XBeeper() override;

    // The sound theme event played for `kind`.
    static const char* EventId(BeepKind kind);

    bool Connected() const { return m_display != nullptr; }
    void Beep(BeepKind kind) override;

  private:
    std::unique_ptr<XDisplay> m_display;
    std::unique_ptr<SoundEventPlayer> m_player;
};

}  // namespace qrv
