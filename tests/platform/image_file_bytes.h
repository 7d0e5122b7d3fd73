#pragma once

#include <QByteArray>
#include <QtEndian>

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "core/base/pixel_image.h"

// Hand-made image files for the decoders' tests.
namespace qrv::test {

inline QByteArray Bytes(std::initializer_list<int> values) {
    QByteArray b;
    for (int v : values)
        b.append(char(v));
    return b;
}

inline QByteArray Le16(int v) {
    return Bytes({v & 0xFF, (v >> 8) & 0xFF});
}

inline QByteArray Le32(uint32_t v) {
    QByteArray b(4, 0);
    qToLittleEndian(v, b.data());
    return b;
}

// A 2x2 GIF of a four-colour palette; every pixel is preceded by a clear
// code so codes stay 3 bits wide.
inline QByteArray Gif(std::initializer_list<int> indexes) {
    QByteArray file =
        "GIF89a" + Bytes({2,    0,    2,    0,    0x81, 0, 0, 0xFF, 0, 0, 0, 0xFF, 0, 0, 0,
                          0xFF, 0xFF, 0xFF, 0xFF, 0x2C, 0, 0, 0,    0, 2, 0, 2,    0, 0, 2});
    std::vector<int> codes;
    for (int i : indexes)
        codes.insert(codes.end(), {4, i});
    codes.push_back(5);
    QByteArray data;
    for (std::size_t bit = 0; bit < codes.size() * 3; ++bit) {
        if (bit % 8 == 0)
            data.append('\0');
        data.back() = char(data.back() | (((codes[bit / 3] >> (bit % 3)) & 1) << (bit % 8)));
    }
    return file + char(data.size()) + data + Bytes({0, 0x3B});
}

// The image's pixels as 0xAARRGGBB, rows top first.
inline std::vector<uint32_t> Argb(const PixelImage& image) {
    std::vector<uint32_t> out;
    for (int32_t y = 0; y < image.m_iHeight; ++y) {
        for (int32_t x = 0; x < image.m_iWidth; ++x)
            out.push_back(qFromLittleEndian<uint32_t>(image.Row(y) + 4 * x));
    }
    return out;
}

}  // namespace qrv::test
