#pragma once

#include <algorithm>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "core/desktop/image_codec.h"

namespace qrv {

// Decodes registered paths to registered images; unknown paths fail.
class FakeImageCodec : public ImageCodec {
  public:
    uint32_t LoadImageFileIf(const std::string& path, const HeaderCheck& admit,
                             DecodedImage& out) override {
        std::lock_guard lock(m_mutex);
        out = DecodedImage{};
        auto it = m_entries.find(path);
        if (it == m_entries.end()) {
            return kStatusFail;
        }
        const Entry& entry = it->second;
        const ImageHeader header{ImageFileKind::Png, entry.width, entry.height, entry.bitsPerPixel,
                                 entry.bitsPerPixel == 32};
        if (entry.status == kStatusOk && admit && !admit(header)) {
            return kStatusRefused;
        }
        if (entry.status == kStatusOk) {
            out.pixels.Reset(entry.width, entry.height);
            std::copy(entry.pixels.begin(), entry.pixels.end(), out.pixels.Data());
            out.bitsPerPixel = entry.bitsPerPixel;
            out.hasAlpha = entry.bitsPerPixel == 32;
        }
        return entry.status;
    }
    // Every registered path decodes here, whatever its kind.
    void ReadOtherKindsWith(ImageKindReader) override {}

    // Registers a copy of the image, reported with the given file depth.
    void SetImage(const std::string& path, const PixelImage& image, int32_t bitsPerPixel = 32) {
        std::lock_guard lock(m_mutex);
        m_entries[path] = {kStatusOk, bitsPerPixel, image.m_iWidth, image.m_iHeight,
                           std::vector<uint8_t>(image.Data(), image.Data() + image.SizeBytes())};
    }
    void SetFailure(const std::string& path, uint32_t status) {
        std::lock_guard lock(m_mutex);
        m_entries[path] = {status, 0, 0, 0, {}};
    }

  private:
    struct Entry {
        uint32_t status = kStatusOk;
        int32_t bitsPerPixel = 32;
        int32_t width = 0;
        int32_t height = 0;
        std::vector<uint8_t> pixels;
    };
    std::mutex m_mutex;
    std::map<std::string, Entry> m_entries;
};

}  // namespace qrv
