#include "core/colors/color_sources.h"

#include "core/colors/color_list_texts.h"

namespace qrv {

namespace {

std::string FileNameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

CollectedColors CollectImageFileColors(ImageCodec& codec, const std::string& path) {
    CollectedColors colors;
    DecodedImage decoded;
    colors.status = codec.LoadImageFile(path, decoded);
    if (colors.status != kStatusOk) {
        return colors;
    }
    const PixelImage& image = decoded.pixels;
    colors.set.InsertImage(image);
    colors.summary = ImageFileColorsSummary(colors.set.Count(), FileNameOf(path), image.m_iWidth,
                                            image.m_iHeight);
    return colors;
}

CollectedColors CollectScreenAreaColors(ScreenSource& screen, const Rect& area) {
    CollectedColors colors;
    PixelImage image;
    // A failed capture leaves black pixels, which are listed like any others.
    screen.Capture(area, image);
    colors.set.InsertImage(image);
    colors.summary = ScreenAreaColorsSummary(colors.set.Count(), area);
    return colors;
}

}  // namespace qrv
