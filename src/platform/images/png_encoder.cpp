#include "platform/images/png_encoder.h"

#include <libdeflate.h>

#include <algorithm>
#include <memory>
#include <new>
#include <string_view>

namespace qrv {
namespace {

// Zlib's own default: a fair size for little time.
constexpr int kCompressionLevel = 6;
constexpr std::size_t kMaxChunkBytes = std::size_t(1) << 30;

void PutBe32(std::vector<uint8_t>& out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(uint8_t(value >> shift));
    }
}

void PutChunk(std::vector<uint8_t>& out, std::string_view type, const uint8_t* data,
              std::size_t length) {
    PutBe32(out, uint32_t(length));
    const std::size_t start = out.size();
    out.insert(out.end(), type.begin(), type.end());
    out.insert(out.end(), data, data + length);
    PutBe32(out, libdeflate_crc32(0, out.data() + start, length + 4));
}

// Rows of RGBA, each after the "sub" filter (bytes less those of the pixel
// to their left), which suits screenshots' flat areas.
std::vector<uint8_t> FilteredRows(const PixelImage& pixels) {
    const std::size_t rowBytes = std::size_t(pixels.m_iWidth) * 4;
    std::vector<uint8_t> rows((1 + rowBytes) * std::size_t(pixels.m_iHeight));
    uint8_t* out = rows.data();
    for (int32_t y = 0; y < pixels.m_iHeight; ++y) {
        const uint8_t* in = pixels.Row(y);
        *out++ = 1;
        uint8_t left[4] = {0, 0, 0, 0};
        for (int32_t x = 0; x < pixels.m_iWidth; ++x, in += 4, out += 4) {
            const uint8_t rgba[4] = {in[2], in[1], in[0], 0xFF};
            for (int c = 0; c < 4; ++c) {
                out[c] = uint8_t(rgba[c] - left[c]);
                left[c] = rgba[c];
            }
        }
    }
    return rows;
}

struct CompressorFree {
    void operator()(libdeflate_compressor* c) const { libdeflate_free_compressor(c); }
};

}  // namespace

std::vector<uint8_t> EncodePng(const PixelImage& pixels) {
    const std::vector<uint8_t> rows = FilteredRows(pixels);
    const std::unique_ptr<libdeflate_compressor, CompressorFree> deflater(
        libdeflate_alloc_compressor(kCompressionLevel));
    if (!deflater) {
        throw std::bad_alloc();
    }
    std::vector<uint8_t> packed(libdeflate_zlib_compress_bound(deflater.get(), rows.size()));
    packed.resize(libdeflate_zlib_compress(deflater.get(), rows.data(), rows.size(), packed.data(),
                                           packed.size()));

    std::vector<uint8_t> file{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> header;
    PutBe32(header, uint32_t(pixels.m_iWidth));
    PutBe32(header, uint32_t(pixels.m_iHeight));
    header.insert(header.end(), {8, 6, 0, 0, 0});  // 8-bit RGBA, not interlaced
    PutChunk(file, "IHDR", header.data(), header.size());
    for (std::size_t at = 0; at < packed.size(); at += kMaxChunkBytes) {
        PutChunk(file, "IDAT", packed.data() + at, std::min(kMaxChunkBytes, packed.size() - at));
    }
    PutChunk(file, "IEND", nullptr, 0);
    return file;
}

}  // namespace qrv
