#include "app/services/platform_services.h"

#include <optional>

#include "core/automation/c_element_clicker.h"
#include "core/search/system_clock.h"
#include "core/search/text_speaker.h"
#include "core/settings/profile.h"
#include "platform/atspi/atspi_automation_tree.h"
#include "platform/desktop/desktop_shell.h"
#include "platform/desktop/file_properties_viewer.h"
#include "platform/desktop/launcher_entry_progress.h"
#include "platform/espeak/espeak_voice_factory.h"
#include "platform/qt/qt_image_codec.h"
#include "platform/qt/qt_image_file_writer.h"
#include "platform/x11/x_beeper.h"
#include "platform/x11/x_display_layout.h"
#include "platform/x11/x_global_hot_keys.h"
#include "platform/x11/x_input_injector.h"
#include "platform/x11/x_screen_source.h"
#include "platform/x11/x_top_level_windows.h"
#include "platform/x11/x_window_activator.h"

namespace qrv {

struct PlatformServices::Parts {
    Parts(ProfileStore& store, FilePrompts& prompts, std::string localDataFolder,
          std::unique_ptr<VoiceFactory> voiceFactory)
        : profile(store, windows),
          voices(voiceFactory ? std::move(voiceFactory) : std::make_unique<EspeakVoiceFactory>()),
          speaker(*voices),
          services{profile,
                   screen,
                   input,
                   layout,
                   clock,
                   speaker,
                   shell,
                   activator,
                   beeper,
                   codec,
                   imageWriter,
                   prompts,
                   properties,
                   &clicker,
                   &taskbar,
                   hotKeys.Connected() ? &hotKeys : nullptr,
                   std::move(localDataFolder)} {}

    XTopLevelWindows windows;
    Profile profile;
    XScreenSource screen;
    XInputInjector input;
    XDisplayLayout layout;
    SystemClock clock;
    std::unique_ptr<VoiceFactory> voices;
    CTextSpeaker speaker;
    DesktopShell shell;
    XWindowActivator activator;
    XBeeper beeper;
    CElementClicker clicker{&AtspiAutomationTree::Open, beeper};
    QtImageCodec codec;
    QtImageFileWriter imageWriter;
    FilePropertiesViewer properties;
    LauncherEntryProgress taskbar;
    XGlobalHotKeys hotKeys;
    AppServices services;
};

PlatformServices::PlatformServices(ProfileStore& store, FilePrompts& prompts,
                                   std::string localDataFolder,
                                   std::unique_ptr<VoiceFactory> voices)
    : m_parts(
          std::make_unique<Parts>(store, prompts, std::move(localDataFolder), std::move(voices))) {}

PlatformServices::~PlatformServices() = default;

AppServices& PlatformServices::Services() {
    return m_parts->services;
}

}  // namespace qrv
