#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/desktop/image_codec.h"

namespace qrv {

// Why an image file could not be loaded, in a few words.
std::string LoadFailure(const std::string& path, uint32_t status);

// Decodes the picture to find into `picture`; the problem, as one line, when
// it is missing, cannot be decoded or is not a 32-bit image.
std::optional<std::string> LoadPictureFile(const std::string& path, ImageCodec& codec,
                                           DecodedImage& picture);

}  // namespace qrv
