#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace qrv {

enum class CaptureFormat { Png, Bmp, Jpeg, Gif, Tiff };

struct CaptureFormatEntry {
    CaptureFormat format;
    std::string_view extension;
};

// The image formats a capture can be saved in, by their stored index:
// 0 png, 1 bmp, 2 jpeg, 3 gif, 4 tiff. Other indexes have no format.
std::optional<CaptureFormatEntry> LookUpCaptureFormat(uint32_t index);

}  // namespace qrv
