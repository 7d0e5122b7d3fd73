#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/base/geometry.h"
#include "core/desktop/image_codec.h"

namespace qrv {

// Why an image file could not be loaded, in a few words.
std::string LoadFailure(const std::string& path, uint32_t status);

// Decodes the picture to find into `picture`; the problem, as one line, when
// the file is missing, cannot be decoded or is not a 32-bit image (told from
// its header, before anything is decoded).
std::optional<std::string> LoadPictureFile(const std::string& path, ImageCodec& codec,
                                           DecodedImage& picture);
// The same, but a picture whose header says that it is larger than `area` is
// not decoded either: then `picture` stays empty and `oversized` holds the
// header.
std::optional<std::string> LoadPictureFile(const std::string& path, ImageCodec& codec,
                                           const Rect& area, DecodedImage& picture,
                                           std::optional<ImageHeader>& oversized);

}  // namespace qrv
