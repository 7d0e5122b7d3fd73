#pragma once

#include <memory>
#include <string>

#include "app/services/app_services.h"
#include "core/desktop/voice.h"

namespace qrv {

class ProfileStore;
struct DesktopPlatform;

// The application's services over one desktop's platform, which must reach
// its session. The profile store, the file prompts and the folder for
// captured pictures come from outside so that tests can keep to their own
// files; so may the voices. The window reads and writes JPEG, GIF and TIFF
// files with Qt beyond the platform's own PNG and BMP: the platform's codec is
// given Qt's readers for them.
class PlatformServices {
  public:
    PlatformServices(DesktopPlatform& platform, ProfileStore& store, FilePrompts& prompts,
                     std::string localDataFolder, std::unique_ptr<VoiceFactory> voices = {});
    ~PlatformServices();
    PlatformServices(const PlatformServices&) = delete;
    PlatformServices& operator=(const PlatformServices&) = delete;

    AppServices& Services();

  private:
    struct Parts;
    std::unique_ptr<Parts> m_parts;
};

}  // namespace qrv
