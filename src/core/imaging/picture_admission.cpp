#include "core/imaging/picture_admission.h"

namespace qrv {

PictureAdmission AdmitPicture(uint32_t loadStatus, int32_t bitsPerPixel) {
    if (int32_t(loadStatus) < 0) {
        return PictureAdmission::LoadFailed;
    }
    return bitsPerPixel == 32 ? PictureAdmission::Admitted : PictureAdmission::WrongDepth;
}

}  // namespace qrv
