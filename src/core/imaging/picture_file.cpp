#include "core/imaging/picture_file.h"

#include <filesystem>
#include <limits>

#include "core/base/quoted.h"
#include "core/imaging/picture_admission.h"
#include "core/settings/utf8_path.h"

namespace qrv {

namespace {

bool ThirtyTwoBit(const ImageHeader& header) {
    return AdmitPicture(kStatusOk, header.bitsPerPixel) == PictureAdmission::Admitted;
}

}  // namespace

std::string LoadFailure(const std::string& path, uint32_t status) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(Utf8Path(path), ec)) {
        return "is not a regular file";
    }
    if (status == kStatusOutOfMemory) {
        return "is too large (more than " + std::to_string(kMaxImageSide) + " x " +
               std::to_string(kMaxImageSide) + " pixels or 512 MiB)";
    }
    if (status == kStatusNotSupported) {
        return "is a JPEG, GIF or TIFF file; only PNG and BMP files are read outside the window";
    }
    return "cannot be decoded";
}

std::optional<std::string> LoadPictureFile(const std::string& path, ImageCodec& codec,
                                           DecodedImage& picture) {
    constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
    constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
    std::optional<ImageHeader> oversized;  // never, for so wide an area
    return LoadPictureFile(path, codec, Rect{kMin, kMin, kMax, kMax}, picture, oversized);
}

std::optional<std::string> LoadPictureFile(const std::string& path, ImageCodec& codec,
                                           const Rect& area, DecodedImage& picture,
                                           std::optional<ImageHeader>& oversized) {
    std::error_code ec;
    if (!std::filesystem::exists(Utf8Path(path), ec)) {
        return "no picture file " + Quoted(path);
    }
    const int64_t areaWidth = int64_t(area.right) - area.left;
    const int64_t areaHeight = int64_t(area.bottom) - area.top;
    ImageHeader declared;
    const uint32_t status = codec.LoadImageFileIf(
        path,
        [&](const ImageHeader& header) {
            declared = header;
            return ThirtyTwoBit(header) && header.width <= areaWidth && header.height <= areaHeight;
        },
        picture);
    if (status == kStatusRefused && !ThirtyTwoBit(declared)) {
        return "the picture " + Quoted(path) + " has " + std::to_string(declared.bitsPerPixel) +
               " bits per pixel; only 32-bit pictures can be searched for";
    }
    if (status == kStatusRefused) {
        oversized = declared;
        return std::nullopt;
    }
    if (status != kStatusOk || picture.pixels.Empty()) {
        return "the picture " + Quoted(path) + " " + LoadFailure(path, status);
    }
    return std::nullopt;
}

}  // namespace qrv
