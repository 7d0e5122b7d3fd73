#include "platform/freedesktop/linux_desktop_services.h"

#include "platform/atspi/accessibility_bus_switch.h"
#include "platform/atspi/atspi_automation_tree.h"
#include "platform/atspi/atspi_name_change_monitor.h"
#include "platform/espeak/espeak_voice_factory.h"
#include "platform/freedesktop/dbus_toggle_requests.h"
#include "platform/freedesktop/desktop_shell.h"
#include "platform/freedesktop/launcher_entry_progress.h"
#include "platform/freedesktop/sound_theme_beeper.h"
#include "platform/freedesktop/xdg_user_folders.h"
#include "platform/images/image_file_codec.h"
#include "platform/images/png_bmp_file_writer.h"
#include "platform/settings/ini_profile_store.h"
#include "platform/settings/lock_file_numbering.h"

namespace qrv {

void AddLinuxDesktopServices(DesktopPlatform& p) {
    const std::string profilePath = IniProfileStore::UserProfilePath();
    p.profile = std::make_unique<IniProfileStore>(profilePath);
    p.numbering = std::make_unique<LockFileNumbering>(LockFileNumbering::UserPrefix(profilePath));
    p.folders = std::make_unique<XdgUserFolders>();
    p.codec = std::make_unique<ImageFileCodec>();
    p.imageWriter = std::make_unique<PngBmpFileWriter>();
    p.shell = std::make_unique<DesktopShell>();
    p.voices = std::make_unique<EspeakVoiceFactory>();
    p.taskbar = std::make_unique<LauncherEntryProgress>();
    p.toggles = std::make_unique<DBusToggleRequests>();
    p.openTree = &AtspiAutomationTree::Open;
    p.nameChanges = std::make_unique<AtspiNameChangeMonitor>();
    p.accessibility = std::make_unique<AccessibilityBusSwitch>();
}

std::unique_ptr<DesktopPlatform> OpenLinuxDesktop(const char* name, PlatformReach reach,
                                                  void (*addSession)(DesktopPlatform&)) {
    auto p = std::make_unique<DesktopPlatform>();
    p->name = name;
    AddLinuxDesktopServices(*p);
    if (reach == PlatformReach::kSession) {
        p->beeper = std::make_unique<SoundThemeBeeper>();
        addSession(*p);
    }
    return p;
}

}  // namespace qrv
