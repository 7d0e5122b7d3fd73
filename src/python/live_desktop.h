#pragma once

#include <functional>
#include <memory>
#include <mutex>

#include "core/input/keyboard_actions.h"
#include "core/input/pointer_actions.h"
#include "core/search/mouse_input.h"
#include "core/search/system_clock.h"
#include "core/settings/memory_profile_store.h"
#include "core/settings/profile.h"
#include "platform/desktop_platform.h"

namespace qrv::python {

// The desktop of this process, shared by every thread: the file services
// (image codec and writer), which reach no session, and the live session,
// opened at the first call that needs it and kept until the interpreter
// exits. A session that could not be had is tried again at the next call, so
// a declined consent is asked again. Call without holding the GIL: opening
// may wait for the user.
class LiveDesktop {
  public:
    static LiveDesktop& Instance();

    // The live desktop; throws ScriptError (DesktopUnavailable or
    // ConsentDeclined, with the command line's texts) when it cannot be had.
    DesktopPlatform& Session();
    // The services that work on files only.
    DesktopPlatform& Files();
    // The decoder of picture and haystack files: the platform's codec, named
    // here alone, so that another decoder is a change of this line.
    ImageCodec& Codec() { return *Files().codec; }

    // The pointer of the live session, clicking with the window's random
    // hold; throws as Session() does.
    PointerActions& Pointer();
    // Runs `use` on the keyboard of the live session, one thread at a time
    // (two texts typed at once would mingle, and a backend may borrow keys
    // of the layout meanwhile); throws as Session() does, and
    // DesktopUnavailable where the desktop takes no keyboard input.
    void UseKeyboard(const std::function<void(KeyboardActions&)>& use);

    // Closes the session and the file services; the next call opens them anew.
    void Close();

  private:
    LiveDesktop() = default;
    // Opens the session unless it is open; called with the lock held.
    void OpenSession();

    std::mutex m_filesMutex;
    std::unique_ptr<DesktopPlatform> m_files;
    std::mutex m_sessionMutex;
    std::unique_ptr<DesktopPlatform> m_session;
    MemoryProfileStore m_store;  // the click hold's bounds: the window's defaults
    std::unique_ptr<Profile> m_profile;
    SystemClock m_clock;
    std::unique_ptr<MouseInput> m_mouse;
    std::unique_ptr<PointerActions> m_pointer;
    std::unique_ptr<KeyboardActions> m_keyboard;  // null without keyboard input
    std::mutex m_keyboardMutex;
};

}  // namespace qrv::python
