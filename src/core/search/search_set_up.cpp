#include "core/search/search_set_up.h"

#include <cstddef>
#include <utility>

#include "core/imaging/picture_admission.h"
#include "core/settings/setting_keys.h"

namespace qrv {

namespace {

std::string Trimmed(const std::string& text) {
    constexpr const char* kSpace = " \t\r\n\v\f";
    const std::size_t first = text.find_first_not_of(kSpace);
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(kSpace) - first + 1);
}

}  // namespace

SearchParams SearchSetUp(const MainWindowFields& fields, Profile& profile) {
    SearchParams p;
    static_cast<MainWindowFields&>(p) = fields;
    p.m_strTextToSpeak = Trimmed(fields.m_strTextToSpeak);
    p.m_bSpeakTextAsync = profile.Get(keys::kSpeakTextAsync) != 0;
    p.m_bMoveCursorWithSearch = profile.Get(keys::kMoveCursorWithSearch) != 0;
    p.m_maskTransparent = profile.Get(keys::kMaskTransparent) != 0;
    return p;
}

bool LoadSearchPicture(ImageCodec& codec, SearchParams& params) {
    // An empty picture would match at the first candidate, and the scan reads
    // 4 bytes per pixel: anything else is refused rather than searched for.
    DecodedImage decoded;
    const uint32_t status = codec.LoadImageFile(params.m_strPictureToFindFilePath, decoded);
    PixelImage& picture = decoded.pixels;
    const bool usable =
        status == kStatusOk &&
        AdmitPicture(status, decoded.bitsPerPixel) == PictureAdmission::Admitted &&
        !picture.Empty() &&
        picture.SizeBytes() == std::size_t(picture.m_iWidth) * std::size_t(picture.m_iHeight) * 4;
    if (!usable) {
        picture.Clear();
    }
    params.m_iPictureWidth = picture.m_iWidth;
    params.m_iPictureHeight = picture.m_iHeight;
    params.m_oPictureImage = std::move(picture);
    return usable;
}

}  // namespace qrv
