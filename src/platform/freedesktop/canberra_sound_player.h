#pragma once

#include <memory>
#include <mutex>

#include "platform/freedesktop/sound_event_player.h"

struct ca_context;

namespace qrv {

// Plays sound theme events through libcanberra, which picks the theme and
// the sound server the desktop uses; the library is loaded at the first sound.
// Safe to use from several threads.
class CanberraSoundPlayer : public SoundEventPlayer {
  public:
    CanberraSoundPlayer();
    ~CanberraSoundPlayer() override;

    bool Play(const std::string& eventId) override;

  private:
    struct ContextDeleter {
        void operator()(ca_context* context) const;
    };

    std::mutex m_mutex;
    bool m_tried = false;  // to create the context, which is not tried again
    std::unique_ptr<ca_context, ContextDeleter> m_context;
};

}  // namespace qrv
