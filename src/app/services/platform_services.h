#pragma once

#include <memory>
#include <string>

#include "app/services/app_services.h"
#include "core/desktop/voice.h"

namespace qrv {

class ProfileStore;

// The real desktop services behind the application: X11 screen, input, hot
// keys and windows, Qt image files, espeak-ng speech, the desktop shell and
// dock progress. The profile store and the file prompts come from outside so
// that tests can keep to their own files.
class PlatformServices {
  public:
    PlatformServices(ProfileStore& store, FilePrompts& prompts, std::string localDataFolder,
                     std::unique_ptr<VoiceFactory> voices = {});
    ~PlatformServices();
    PlatformServices(const PlatformServices&) = delete;
    PlatformServices& operator=(const PlatformServices&) = delete;

    AppServices& Services();

  private:
    struct Parts;
    std::unique_ptr<Parts> m_parts;
};

}  // namespace qrv
