#include "platform/desktop/linux_desktop_services.h"

#include "platform/atspi/accessibility_bus_switch.h"
#include "platform/atspi/atspi_automation_tree.h"
#include "platform/atspi/atspi_name_change_monitor.h"
#include "platform/desktop/desktop_shell.h"
#include "platform/desktop/launcher_entry_progress.h"
#include "platform/desktop/xdg_user_folders.h"
#include "platform/espeak/espeak_voice_factory.h"
#include "platform/qt/qt_image_codec.h"
#include "platform/qt/qt_image_file_writer.h"
#include "platform/settings/ini_profile_store.h"

namespace qrv {

void AddLinuxDesktopServices(DesktopPlatform& p) {
    p.profile = std::make_unique<IniProfileStore>(IniProfileStore::UserProfilePath());
    p.folders = std::make_unique<XdgUserFolders>();
    p.codec = std::make_unique<QtImageCodec>();
    p.imageWriter = std::make_unique<QtImageFileWriter>();
    p.shell = std::make_unique<DesktopShell>();
    p.voices = std::make_unique<EspeakVoiceFactory>();
    p.taskbar = std::make_unique<LauncherEntryProgress>();
    p.openTree = &AtspiAutomationTree::Open;
    p.nameChanges = std::make_unique<AtspiNameChangeMonitor>();
    p.accessibility = std::make_unique<AccessibilityBusSwitch>();
}

}  // namespace qrv
