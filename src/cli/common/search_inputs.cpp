#include "cli/common/search_inputs.h"

#include <limits>

#include "cli/common/gnu_options.h"
#include "core/imaging/picture_file.h"

namespace qrv::cli {

std::unique_ptr<SearchInputs> SearchInputs::Open(const FindOptions& o, std::string& error) {
    std::unique_ptr<SearchInputs> in(new SearchInputs);
    // The files first, with no connection to the desktop; the screen image
    // before the picture, so that the picture's header is weighed against
    // the area it gives.
    in->m_platform = OpenDesktopPlatform(PlatformReach::kFiles);
    const bool live = o.screenImage.empty();
    if (!live && !in->OpenScreenImage(o, error)) {
        return nullptr;
    }
    if (live) {
        in->m_area = *o.area;
    }
    if (auto problem = LoadPictureFile(o.picture, *in->m_platform->codec, in->m_area, in->m_picture,
                                       in->m_oversized)) {
        error = *problem;
        return nullptr;
    }
    if (live && !in->m_oversized && !in->OpenLiveDesktop(error)) {
        return nullptr;
    }
    return in;
}

bool SearchInputs::OpenScreenImage(const FindOptions& o, std::string& error) {
    DecodedImage image;
    const uint32_t status = m_platform->codec->LoadImageFile(o.screenImage, image);
    if (status != kStatusOk || image.pixels.Empty()) {
        error =
            "the screen image " + Quoted(o.screenImage) + " " + LoadFailure(o.screenImage, status);
        return false;
    }
    const int64_t right = int64_t(o.origin.x) + image.pixels.m_iWidth;
    const int64_t bottom = int64_t(o.origin.y) + image.pixels.m_iHeight;
    if (right > std::numeric_limits<int32_t>::max() ||
        bottom > std::numeric_limits<int32_t>::max()) {
        error = "--origin " + std::to_string(o.origin.x) + "," + std::to_string(o.origin.y) +
                " puts the screen image beyond the last screen coordinate";
        return false;
    }
    m_image = std::make_unique<ImageScreenSource>(std::move(image.pixels), o.origin);
    m_offscreen = std::make_unique<OffscreenDesktop>(m_image->Bounds());
    m_area = o.area.value_or(m_image->Bounds());
    return true;
}

bool SearchInputs::OpenLiveDesktop(std::string& error) {
    m_platform = OpenDesktopPlatform(PlatformReach::kSession);
    if (!m_platform->HasSession()) {
        error = SessionFailureText(*m_platform) +
                (m_platform->sessionFailure == SessionFailure::kDeclined
                     ? "; run the command again to be asked again"
                     : "; --screen-image searches a file");
        return false;
    }
    return true;
}

}  // namespace qrv::cli
