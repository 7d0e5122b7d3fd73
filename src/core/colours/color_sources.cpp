#include "core/colours/color_sources.h"

#include "core/colours/color_list_texts.h"

namespace qrv {

namespace {

std::string FileNameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

CollectedColors CollectImageFileColors(ImageCodec& codec, const std::string& path) {
    CollectedColors colours;
    DecodedImage decoded;
    colours.status = codec.LoadImageFile(path, decoded);
    if (colours.status != kStatusOk) {
        return colours;
    }
    const PixelImage& image = decoded.pixels;
    colours.set.InsertImage(image);
    colours.summary = ImageFileColorsSummary(colours.set.Count(), FileNameOf(path), image.m_iWidth,
                                             image.m_iHeight);
    return colours;
}

CollectedColors CollectScreenAreaColors(ScreenSource& screen, const Rect& area) {
    CollectedColors colours;
    PixelImage image;
    // A failed capture leaves black pixels, which are listed like any others.
    screen.Capture(area.left, area.top, area.Width(), area.Height(), image);
    colours.set.InsertImage(image);
    colours.summary = ScreenAreaColorsSummary(colours.set.Count(), area);
    return colours;
}

}  // namespace qrv
