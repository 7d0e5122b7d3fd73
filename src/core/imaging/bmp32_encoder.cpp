#include "core/imaging/bmp32_encoder.h"

#include <algorithm>

namespace qrv {
namespace {

void PutLe(std::vector<uint8_t>& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(uint8_t(value >> (8 * i)));
    }
}

}  // namespace

std::vector<uint8_t> EncodeBmp32(const PixelImage& pixels) {
    constexpr uint32_t kHeaderBytes = 14 + 40;
    const std::size_t rowBytes = std::size_t(pixels.m_iWidth) * 4;
    const std::size_t dataBytes = rowBytes * std::size_t(pixels.m_iHeight);
    std::vector<uint8_t> out;
    out.reserve(kHeaderBytes + dataBytes);
    out.push_back('B');
    out.push_back('M');
    PutLe(out, uint32_t(kHeaderBytes + dataBytes), 4);
    PutLe(out, 0, 4);
    PutLe(out, kHeaderBytes, 4);
    PutLe(out, 40, 4);
    PutLe(out, uint32_t(pixels.m_iWidth), 4);
    PutLe(out, uint32_t(pixels.m_iHeight), 4);  // positive: bottom row first
    PutLe(out, 1, 2);                           // planes
    PutLe(out, 32, 2);
    PutLe(out, 0, 4);  // uncompressed
    PutLe(out, uint32_t(dataBytes), 4);
    PutLe(out, 2835, 4);  // 72 dots per inch
    PutLe(out, 2835, 4);
    PutLe(out, 0, 4);
    PutLe(out, 0, 4);
    for (int32_t y = pixels.m_iHeight - 1; y >= 0; --y) {
        const uint8_t* row = pixels.Row(y);
        out.insert(out.end(), row, row + rowBytes);
    }
    return out;
}

}  // namespace qrv
