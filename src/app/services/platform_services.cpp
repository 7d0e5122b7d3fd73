#include "app/services/platform_services.h"

#include "app/imaging/qt_image_file_writer.h"
#include "app/imaging/qt_image_reader.h"
#include "core/automation/c_element_clicker.h"
#include "core/search/system_clock.h"
#include "core/search/text_speaker.h"
#include "core/settings/profile.h"
#include "platform/desktop_platform.h"

namespace qrv {

namespace {

// The element clicker, where the desktop offers an accessibility tree.
std::unique_ptr<CElementClicker> ClickerFor(DesktopPlatform& p) {
    if (!p.openTree) {
        return nullptr;
    }
    return std::make_unique<CElementClicker>(p.openTree, *p.beeper);
}

}  // namespace

struct PlatformServices::Parts {
    Parts(DesktopPlatform& p, ProfileStore& store, FilePrompts& prompts,
          std::string localDataFolder, std::unique_ptr<VoiceFactory> ownVoices)
        : profile(store, *p.windows, p.numbering.get()),
          imageWriter(*p.imageWriter),
          voices(std::move(ownVoices)),
          speaker(voices ? *voices : *p.voices),
          clicker(ClickerFor(p)),
          services{profile,
                   *p.screen,
                   *p.input,
                   *p.layout,
                   clock,
                   speaker,
                   *p.shell,
                   *p.activator,
                   *p.beeper,
                   *p.codec,
                   imageWriter,
                   prompts,
                   *p.folders,
                   *p.windows,
                   clicker.get(),
                   p.taskbar.get(),
                   p.hotKeys.get(),
                   p.toggles.get(),
                   p.openTree,
                   p.nameChanges.get(),
                   p.accessibility.get(),
                   std::move(localDataFolder)} {}

    Profile profile;
    QtImageFileWriter imageWriter;
    SystemClock clock;
    std::unique_ptr<VoiceFactory> voices;
    CTextSpeaker speaker;
    std::unique_ptr<CElementClicker> clicker;
    AppServices services;
};

PlatformServices::PlatformServices(DesktopPlatform& platform, ProfileStore& store,
                                   FilePrompts& prompts, std::string localDataFolder,
                                   std::unique_ptr<VoiceFactory> voices)
    : m_parts(std::make_unique<Parts>(platform, store, prompts, std::move(localDataFolder),
                                      std::move(voices))) {
    platform.codec->ReadOtherKindsWith(&ReadImageWithQt);
}

PlatformServices::~PlatformServices() = default;

AppServices& PlatformServices::Services() {
    return m_parts->services;
}

}  // namespace qrv
