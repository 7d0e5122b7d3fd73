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
    p.m_bSpeakTextAsync = profile.Get(keys::kSpeakTextAsync) != 0;
    p.m_bMoveCursorWithSearch = profile.Get(keys::kMoveCursorWithSearch) != 0;
    p.m_maskTransparent = profile.Get(keys::kMaskTransparent) != 0;
    p.m_bAbortSearch = fields.m_bAbortSearch;
    p.m_bClickOnPicture = fields.m_bClickOnPicture;
    p.m_bCursorBack = fields.m_bCursorBack;
    p.m_iScreenAreaLeft = fields.m_iScreenAreaLeft;
    p.m_iScreenAreaTop = fields.m_iScreenAreaTop;
    p.m_iScreenAreaWidth = fields.m_iScreenAreaWidth;
    p.m_iScreenAreaHeight = fields.m_iScreenAreaHeight;
    p.m_strPictureToFindFilePath = fields.m_strPictureToFindFilePath;
    p.m_bSpeakText = fields.m_bSpeakText;
    p.m_strTextToSpeak = Trimmed(fields.m_strTextToSpeak);
    p.m_strScriptToExecute = fields.m_strScriptToExecute;
    p.m_bExecuteScript = fields.m_bExecuteScript;
    p.m_bMakeActiveWindow = fields.m_bMakeActiveWindow;
    p.m_bMoveMouseToCenterOfPicture = fields.m_bMoveMouseToCenterOfPicture;
    p.m_strVerb = fields.m_strVerb;
    p.m_iDeviationRed = fields.m_iDeviationRed;
    p.m_iDeviationGreen = fields.m_iDeviationGreen;
    p.m_iDeviationBlue = fields.m_iDeviationBlue;
    p.m_dwTimeDelay1 = fields.m_dwTimeDelay1;
    p.m_bClickAnotherTime = fields.m_bClickAnotherTime;
    p.m_bClickElement = fields.m_bClickElement;
    p.m_strElementWindowName = fields.m_strElementWindowName;
    p.m_strElementName = fields.m_strElementName;
    p.m_strElementValue = fields.m_strElementValue;
    p.m_bDoNotUseValueToSearchElement = fields.m_bDoNotUseValueToSearchElement;
    return p;
}

bool LoadSearchPicture(ImageCodec& codec, SearchParams& params) {
    DecodedImage decoded;
    const uint32_t status = codec.LoadImageFile(params.m_strPictureToFindFilePath, decoded);
    return TakeSearchPicture(status, std::move(decoded), params);
}

bool TakeSearchPicture(uint32_t status, DecodedImage decoded, SearchParams& params) {
    // An empty picture would match at the first candidate, and the scan reads
    // 4 bytes per pixel: anything else is refused rather than searched for.
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
