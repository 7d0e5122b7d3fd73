#pragma once

#include <string>

namespace qrv {

// Plays a sound of the desktop's sound theme by its event id, e.g.
// "dialog-error".
class SoundEventPlayer {
  public:
    virtual ~SoundEventPlayer() = default;
    // False when nothing could be played.
    virtual bool Play(const std::string& eventId) = 0;
};

}  // namespace qrv
