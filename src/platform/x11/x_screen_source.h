#pragma once

#include <memory>
#include <string>

#include "search/screen_source.h"

namespace qrv {

class XDisplay;
class XShmImage;

// Reads the root window of an X screen. Uses a shared memory segment that is
// kept between captures when the server offers it, else plain image requests.
class XScreenSource : public ScreenSource {
  public:
    enum class Method { SharedMemory, GetImage };

    explicit XScreenSource(const std::string& displayName = {},
                           Method method = Method::SharedMemory);
    ~XScreenSource() override;

    bool Connected() const { return m_pDisplay != nullptr; }
    // The method in use: SharedMemory falls back to GetImage when unavailable.
    Method ActiveMethod() const { return m_pShm ? Method::SharedMemory : Method::GetImage; }

    bool Capture(int32_t left, int32_t top, int32_t width, int32_t height,
                 PixelImage& into) override;

  private:
    bool ReadInto(int32_t rootX, int32_t rootY, int32_t width, int32_t height, PixelImage& into,
                  int32_t intoX, int32_t intoY);

    std::unique_ptr<XDisplay> m_pDisplay;
    std::unique_ptr<XShmImage> m_pShm;
};

}  // namespace qrv
