#pragma once

#include <cstdint>

namespace qrv {

enum class PictureAdmission { Admitted, LoadFailed, WrongDepth };

// Judges a decoded file as the picture to find. The matcher compares 4 bytes
// per pixel, so only pictures that decode to 32 bits per pixel are admitted;
// a negative load status refuses the file before its depth is looked at.
PictureAdmission AdmitPicture(uint32_t loadStatus, int32_t bitsPerPixel);

}  // namespace qrv
