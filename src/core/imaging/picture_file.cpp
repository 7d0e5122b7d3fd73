#include "core/imaging/picture_file.h"

#include <filesystem>

#include "core/base/quoted.h"
#include "core/imaging/picture_admission.h"
#include "core/settings/utf8_path.h"

namespace qrv {

std::string LoadFailure(const std::string& path, uint32_t status) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(Utf8Path(path), ec)) {
        return "is not a regular file";
    }
    if (status == kStatusOutOfMemory) {
        return "is too large (more than " + std::to_string(kMaxImageSide) + " x " +
               std::to_string(kMaxImageSide) + " pixels or 512 MiB)";
    }
    return "cannot be decoded";
}

std::optional<std::string> LoadPictureFile(const std::string& path, ImageCodec& codec,
                                           DecodedImage& picture) {
    std::error_code ec;
    if (!std::filesystem::exists(Utf8Path(path), ec)) {
        return "no picture file " + Quoted(path);
    }
    const uint32_t status = codec.LoadImageFile(path, picture);
    if (status != kStatusOk || picture.pixels.Empty()) {
        return "the picture " + Quoted(path) + " " + LoadFailure(path, status);
    }
    if (AdmitPicture(status, picture.bitsPerPixel) != PictureAdmission::Admitted) {
        return "the picture " + Quoted(path) + " has " + std::to_string(picture.bitsPerPixel) +
               " bits per pixel; only 32-bit pictures can be searched for";
    }
    return std::nullopt;
}

}  // namespace qrv
