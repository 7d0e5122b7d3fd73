#pragma once

#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "imaging/image_codec.h"

namespace qrv {

// Decodes registered paths to registered images; unknown paths fail.
class FakeImageCodec : public ImageCodec {
  public:
    uint32_t LoadImageFile(const std::string& path, DecodedImage& out) override;

    // Registers a copy of the image, reported with the given file depth.
    void SetImage(const std::string& path, const PixelImage& image, int32_t bitsPerPixel = 32);
    void SetFailure(const std::string& path, uint32_t status);

  private:
    struct Entry {
        uint32_t status = kStatusOk;
        int32_t bitsPerPixel = 32;
        int32_t width = 0;
        int32_t height = 0;
        std::vector<uint8_t> pixels;
    };
    mutable std::mutex m_mutex;
    std::map<std::string, Entry> m_entries;
};

}  // namespace qrv
