#include "platform/win32/win32_backend.h"

#include <windows.h>

#include "platform/images/image_file_codec.h"
#include "platform/images/png_bmp_file_writer.h"
#include "platform/win32/known_folder_user_folders.h"
#include "platform/win32/named_mutex_numbering.h"
#include "platform/win32/registry_profile_store.h"
#include "platform/win32/sapi_voice_factory.h"
#include "platform/win32/uia_automation_tree.h"
#include "platform/win32/uia_name_change_monitor.h"
#include "platform/win32/win32_beeper.h"
#include "platform/win32/win32_display_layout.h"
#include "platform/win32/win32_global_hot_keys.h"
#include "platform/win32/win32_input_injector.h"
#include "platform/win32/win32_keyboard_injector.h"
#include "platform/win32/win32_screen_source.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_taskbar_progress.h"
#include "platform/win32/win32_top_level_windows.h"
#include "platform/win32/win32_window_activator.h"

namespace qrv::win32 {

namespace {

// A Windows process always runs on a desktop.
bool FitsSession() {
    return true;
}

// Screen coordinates are physical pixels of every monitor. The window's
// toolkit may have declared this already; then the call changes nothing.
void DeclarePerMonitorDpiAware() {
    SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
}

void AddSessionServices(DesktopPlatform& p) {
    DeclarePerMonitorDpiAware();
    p.beeper = std::make_unique<Win32Beeper>();
    p.screen = std::make_unique<Win32ScreenSource>();
    p.input = std::make_unique<Win32InputInjector>();
    p.keyboard = std::make_unique<Win32KeyboardInjector>();
    p.layout = std::make_unique<Win32DisplayLayout>();
    p.windows = std::make_unique<Win32TopLevelWindows>();
    p.activator = std::make_unique<Win32WindowActivator>();
    if (auto hotKeys = std::make_unique<Win32GlobalHotKeys>(); hotKeys->Connected()) {
        p.hotKeys = std::move(hotKeys);
    }
    p.taskbar = std::make_unique<Win32TaskbarProgress>();
    // Where the system offers no UI Automation client, openTree gives null:
    // element commands then behave as without an accessibility tree.
    p.openTree = &UiaAutomationTree::Open;
    p.nameChanges = std::make_unique<UiaNameChangeMonitor>();
}

std::unique_ptr<DesktopPlatform> Open(PlatformReach reach) {
    auto p = std::make_unique<DesktopPlatform>();
    p->name = kBackend.name;
    p->profile = std::make_unique<RegistryProfileStore>();
    p->numbering = std::make_unique<NamedMutexNumbering>();
    p->folders = std::make_unique<KnownFolderUserFolders>();
    p->codec = std::make_unique<ImageFileCodec>();
    p->imageWriter = std::make_unique<PngBmpFileWriter>();
    p->shell = std::make_unique<Win32Shell>();
    p->voices = std::make_unique<SapiVoiceFactory>();
    if (reach == PlatformReach::kSession) {
        AddSessionServices(*p);
    }
    return p;
}

}  // namespace

const Backend kBackend{"win32", &FitsSession, &Open, "is this an interactive desktop session?"};

}  // namespace qrv::win32
