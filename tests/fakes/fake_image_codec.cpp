#include "fakes/fake_image_codec.h"

#include <algorithm>

namespace qrv {

uint32_t FakeImageCodec::LoadImageFile(const std::string& path, DecodedImage& out) {
    std::lock_guard lock(m_mutex);
    out = DecodedImage{};
    auto it = m_entries.find(path);
    if (it == m_entries.end()) {
        return kStatusFail;
    }
    const Entry& entry = it->second;
    if (entry.status == kStatusOk) {
        out.pixels.Reset(entry.width, entry.height);
        std::copy(entry.pixels.begin(), entry.pixels.end(), out.pixels.Data());
        out.bitsPerPixel = entry.bitsPerPixel;
        out.hasAlpha = entry.bitsPerPixel == 32;
    }
    return entry.status;
}

void FakeImageCodec::SetImage(const std::string& path, const PixelImage& image,
                              int32_t bitsPerPixel) {
    std::lock_guard lock(m_mutex);
    m_entries[path] = {kStatusOk, bitsPerPixel, image.m_iWidth, image.m_iHeight,
                       std::vector<uint8_t>(image.Data(), image.Data() + image.SizeBytes())};
}

void FakeImageCodec::SetFailure(const std::string& path, uint32_t status) {
    std::lock_guard lock(m_mutex);
    m_entries[path] = {status, 0, 0, 0, {}};
}

}  // namespace qrv
