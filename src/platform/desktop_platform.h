#pragma once

#include <memory>
#include <string>

#include "core/desktop/accessibility_switch.h"
#include "core/desktop/automation_tree.h"
#include "core/desktop/beeper.h"
#include "core/desktop/display_layout.h"
#include "core/desktop/global_hot_keys.h"
#include "core/desktop/image_codec.h"
#include "core/desktop/image_file_writer.h"
#include "core/desktop/input_injector.h"
#include "core/desktop/instance_numbering.h"
#include "core/desktop/keyboard_injector.h"
#include "core/desktop/name_change_monitor.h"
#include "core/desktop/profile_store.h"
#include "core/desktop/screen_source.h"
#include "core/desktop/shell.h"
#include "core/desktop/taskbar_progress.h"
#include "core/desktop/toggle_requests.h"
#include "core/desktop/top_level_windows.h"
#include "core/desktop/user_folders.h"
#include "core/desktop/voice.h"
#include "core/desktop/window_activator.h"

namespace qrv {

// Why a session that was asked for could not be reached.
enum class SessionFailure {
    kNone,         // reached, or not asked for
    kUnreachable,  // no desktop of this backend's kind answered
    kDeclined,     // the user declined or cancelled the desktop's consent dialog
};

// Every service of one desktop, owned here and opened together by
// OpenDesktopPlatform(). Services are destroyed in reverse order of their
// declaration.
//
// Always present: profile, numbering, folders, codec, imageWriter, shell,
// voices.
// Present when the session was asked for (PlatformReach::kSession), even if
// it cannot be reached: beeper.
// Present when the session was asked for and reached (HasSession()): screen,
// input, keyboard, layout, windows, activator. A front end that needs the live screen
// reports that the session is missing.
// Null where the backend has no such service:
//   hotKeys       — no global key grab (Wayland without the portal's global
//                   shortcuts: the start/stop key is a session-bus method
//                   instead); also without a session;
//   toggles       — no session bus to take start/stop requests on;
//   taskbar       — no dock shows progress;
//   nameChanges   — no accessibility bus;
//   accessibility — no accessibility bus, or no switch for it (Windows);
//   openTree      — empty function when no accessibility tree can be read.
struct DesktopPlatform {
    DesktopPlatform() = default;
    DesktopPlatform(const DesktopPlatform&) = delete;
    DesktopPlatform& operator=(const DesktopPlatform&) = delete;
    virtual ~DesktopPlatform() = default;

    // "x11", "wayland", "portal" or "win32".
    std::string name;

    std::unique_ptr<ProfileStore> profile;  // the user's own profile
    std::unique_ptr<InstanceNumbering> numbering;
    std::unique_ptr<UserFolders> folders;
    std::unique_ptr<ImageCodec> codec;
    std::unique_ptr<ImageFileWriter> imageWriter;
    std::unique_ptr<Shell> shell;
    std::unique_ptr<VoiceFactory> voices;
    std::unique_ptr<Beeper> beeper;

    std::unique_ptr<ScreenSource> screen;
    std::unique_ptr<InputInjector> input;
    std::unique_ptr<KeyboardInjector> keyboard;
    std::unique_ptr<DisplayLayout> layout;
    std::unique_ptr<TopLevelWindows> windows;
    std::unique_ptr<WindowActivator> activator;
    std::unique_ptr<GlobalHotKeys> hotKeys;
    std::unique_ptr<ToggleRequests> toggles;
    std::unique_ptr<TaskbarProgress> taskbar;

    AutomationTreeFactory openTree;
    std::unique_ptr<NameChangeMonitor> nameChanges;
    std::unique_ptr<AccessibilitySwitch> accessibility;

    // True when the live desktop could be reached.
    bool HasSession() const { return screen != nullptr; }
    // Why the live desktop was not reached, when it was asked for and not
    // reached; kNone otherwise.
    SessionFailure sessionFailure = SessionFailure::kNone;
};

// How much of the desktop a caller needs.
enum class PlatformReach {
    kSession,  // the live desktop too: its screen, input, windows and keys
    kFiles,    // only what works on files: no connection to the session is made
};

// Opens the backend for this session: the one named by the QRV_PLATFORM
// environment variable when set, else the first configured backend that
// recognises the session. Never null: without a reachable session the
// platform has no live services (see above). Needs a Qt application object.
std::unique_ptr<DesktopPlatform> OpenDesktopPlatform(PlatformReach reach = PlatformReach::kSession);

// Why the live desktop was not reached, for the user: "the desktop declined
// screen access", or "cannot reach the NAME desktop (what to check)"; empty
// when it was reached or not asked for.
std::string SessionFailureText(const DesktopPlatform& platform);

// Checks, once per process, that the session bus answers: one that accepts
// connections but never answers would block every call on it, Qt's own
// included, so the whole process leaves it alone from then on. Empty when the
// bus answers or there is none; else why it is left alone. Call it before the
// Qt application object exists; OpenDesktopPlatform() calls it too.
std::string CheckSessionBus();

// Why this process could not connect to the session bus, when one is set but
// did not let it in (connecting is tried at first use); empty otherwise.
std::string SessionBusProblem();

// The backend names this build was configured with, in order of preference.
std::string ConfiguredBackends();

}  // namespace qrv
