#include "python/live_desktop.h"

#include "python/script_error.h"

namespace qrv::python {

LiveDesktop& LiveDesktop::Instance() {
    static LiveDesktop* desktop = new LiveDesktop;  // outlives every thread's last call
    return *desktop;
}

DesktopPlatform& LiveDesktop::Session() {
    std::lock_guard lock(m_sessionMutex);
    OpenSession();
    return *m_session;
}

PointerActions& LiveDesktop::Pointer() {
    std::lock_guard lock(m_sessionMutex);
    OpenSession();
    return *m_pointer;
}

void LiveDesktop::UseKeyboard(const std::function<void(KeyboardActions&)>& use) {
    KeyboardActions* keyboard = nullptr;
    {
        std::lock_guard lock(m_sessionMutex);
        OpenSession();
        if (!m_keyboard) {
            throw ScriptError(ScriptError::Kind::kDesktopUnavailable,
                              "this desktop (" + m_session->name + ") takes no keyboard input");
        }
        keyboard = m_keyboard.get();
    }
    std::lock_guard lock(m_keyboardMutex);
    use(*keyboard);
}

void LiveDesktop::OpenSession() {
    if (m_session) {
        return;
    }
    std::unique_ptr<DesktopPlatform> platform = OpenDesktopPlatform(PlatformReach::kSession);
    if (!platform->HasSession()) {
        const bool declined = platform->sessionFailure == SessionFailure::kDeclined;
        throw ScriptError(
            declined ? ScriptError::Kind::kConsentDeclined : ScriptError::Kind::kDesktopUnavailable,
            SessionFailureText(*platform) +
                (declined ? "; call again to be asked again" : "; haystack= searches an image"));
    }
    m_session = std::move(platform);
    m_profile = std::make_unique<Profile>(m_store, *m_session->windows);
    m_mouse =
        std::make_unique<MouseInput>(*m_session->input, *m_session->layout, m_clock, *m_profile);
    m_pointer = std::make_unique<PointerActions>(*m_mouse, *m_session->layout, m_clock);
    if (m_session->keyboard) {
        m_keyboard = std::make_unique<KeyboardActions>(*m_session->keyboard, m_clock);
    }
}

DesktopPlatform& LiveDesktop::Files() {
    std::lock_guard lock(m_filesMutex);
    if (!m_files) {
        m_files = OpenDesktopPlatform(PlatformReach::kFiles);
    }
    return *m_files;
}

void LiveDesktop::Close() {
    {
        std::lock_guard lock(m_sessionMutex);
        m_keyboard.reset();
        m_pointer.reset();
        m_mouse.reset();
        m_profile.reset();
        m_session.reset();
    }
    std::lock_guard lock(m_filesMutex);
    m_files.reset();
}

}  // namespace qrv::python
