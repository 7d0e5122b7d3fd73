#include "core/base/capture_format.h"

#include <array>

namespace qrv {

std::optional<CaptureFormatEntry> LookUpCaptureFormat(uint32_t index) {
    static constexpr std::array<CaptureFormatEntry, 5> kFormats{{
        {CaptureFormat::Png, "png"},
        {CaptureFormat::Bmp, "bmp"},
        {CaptureFormat::Jpeg, "jpeg"},
        {CaptureFormat::Gif, "gif"},
        {CaptureFormat::Tiff, "tiff"},
    }};
    if (index >= kFormats.size()) {
        return std::nullopt;
    }
    return kFormats[index];
}

}  // namespace qrv
