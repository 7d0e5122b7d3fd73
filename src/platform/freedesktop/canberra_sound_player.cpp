#include "platform/freedesktop/canberra_sound_player.h"

#include "platform/freedesktop/canberra_library.h"

namespace qrv {

// Only a created context exists, so the library is loaded.
void CanberraSoundPlayer::ContextDeleter::operator()(ca_context* context) const {
    CanberraLibrary::Get()->contextDestroy(context);
}

CanberraSoundPlayer::CanberraSoundPlayer() = default;

CanberraSoundPlayer::~CanberraSoundPlayer() = default;

bool CanberraSoundPlayer::Play(const std::string& eventId) {
    std::lock_guard lock(m_mutex);
    const CanberraLibrary* library = CanberraLibrary::Get();
    if (!m_tried && library != nullptr) {
        ca_context* context = nullptr;
        if (library->contextCreate(&context) == CA_SUCCESS)
            m_context.reset(context);
    }
    m_tried = true;
    return m_context && library->contextPlay(m_context.get(), 0, CA_PROP_EVENT_ID, eventId.c_str(),
                                             nullptr) == CA_SUCCESS;
}

}  // namespace qrv
