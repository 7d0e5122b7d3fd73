#include "platform/images/image_file_codec.h"

#include <new>
#include <utility>

#include "core/imaging/bmp_decoder.h"
#include "core/imaging/image_header_depth.h"
#include "platform/files/regular_file_reader.h"
#include "platform/images/png_decoder.h"

namespace qrv {

ImageFileCodec::ImageFileCodec(uint64_t maxPixels) : m_maxPixels(maxPixels) {}

uint32_t ImageFileCodec::LoadImageFileIf(const std::string& path, const HeaderCheck& admit,
                                         DecodedImage& out) {
    out = DecodedImage{};
    FileBytes bytes;
    try {
        const uint32_t status = ReadRegularFile(path, kMaxFileBytes, bytes);
        if (status != kStatusOk) {
            return status;
        }
    } catch (const std::bad_alloc&) {
        return kStatusOutOfMemory;
    }
    return DecodeImageBytes(bytes.Bytes(), admit, out);
}

void ImageFileCodec::ReadOtherKindsWith(ImageKindReader reader) {
    m_otherKinds = std::move(reader);
}

uint32_t ImageFileCodec::DecodeImageBytes(std::span<uint8_t> bytes, const HeaderCheck& admit,
                                          DecodedImage& out) const {
    out = DecodedImage{};
    try {
        const uint32_t status = Decode(bytes, admit, out);
        if (status != kStatusOk) {
            out = DecodedImage{};
        }
        return status;
    } catch (const std::bad_alloc&) {
        out = DecodedImage{};
        return kStatusOutOfMemory;
    }
}

bool ImageFileCodec::Plausible(const ImageHeader& header) const {
    return header.width <= kMaxSide && header.height <= kMaxSide &&
           uint64_t(header.width) * uint64_t(header.height) <= m_maxPixels;
}

uint32_t ImageFileCodec::Decode(std::span<uint8_t> bytes, const HeaderCheck& admit,
                                DecodedImage& out) const {
    const auto header = ReadHeaderDepth(bytes);
    if (!header) {
        return kStatusFail;
    }
    if (!Plausible(*header)) {
        return kStatusOutOfMemory;
    }
    const bool own = header->kind == ImageFileKind::Png || header->kind == ImageFileKind::Bmp;
    if (!own && !m_otherKinds) {
        return kStatusNotSupported;
    }
    if (admit && !admit(*header)) {
        return kStatusRefused;
    }
    PixelImage& pixels = out.pixels;
    if (header->kind == ImageFileKind::Png) {
        if (!DecodePng(bytes, *header, pixels)) {
            return kStatusFail;
        }
    } else if (header->kind == ImageFileKind::Bmp) {
        if (!DecodeBmp(bytes, *header, pixels)) {
            return kStatusFail;
        }
    } else if (const uint32_t status = m_otherKinds(bytes, *header, pixels); status != kStatusOk) {
        return status;
    } else if (pixels.m_iWidth != header->width || pixels.m_iHeight != header->height ||
               pixels.Stride() != pixels.m_iWidth) {
        return kStatusFail;
    }
    out.bitsPerPixel = header->bitsPerPixel;
    out.hasAlpha = header->hasAlpha;
    return kStatusOk;
}

}  // namespace qrv
