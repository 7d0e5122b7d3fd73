#include "platform/desktop/canberra_sound_player.h"

#include <canberra.h>

namespace qrv {

void CanberraSoundPlayer::ContextDeleter::operator()(ca_context* context) const {
    ca_context_destroy(context);
}

CanberraSoundPlayer::CanberraSoundPlayer() {
    ca_context* context = nullptr;
    if (ca_context_create(&context) == CA_SUCCESS)
        m_context.reset(context);
}

CanberraSoundPlayer::~CanberraSoundPlayer() = default;

bool CanberraSoundPlayer::Play(const std::string& eventId) {
    std::lock_guard lock(m_mutex);
    return m_context && ca_context_play(m_context.get(), 0, CA_PROP_EVENT_ID, eventId.c_str(),
                                        nullptr) == CA_SUCCESS;
}

}  // namespace qrv
