// Captures arbitrary rectangles of a screen image placed anywhere, including
// at the integer limits: every capture must have the requested size and show
// the image where it lies and black everywhere else.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "core/search/image_screen_source.h"

namespace {

// Reads the input front to back; zeros once it runs out.
class Input {
  public:
    Input(const uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
    template <typename T>
    T Take() {
        T value{};
        const std::size_t n = m_size < sizeof value ? m_size : sizeof value;
        std::memcpy(&value, m_data, n);
        m_data += n;
        m_size -= n;
        return value;
    }

  private:
    const uint8_t* m_data;
    std::size_t m_size;
};

// Some coordinates near the integer limits and zero, some anywhere.
int32_t Coordinate(Input& in) {
    const int32_t raw = in.Take<int32_t>();
    switch (in.Take<uint8_t>() % 4) {
        case 0:
            return INT32_MIN + (raw & 0xFF);
        case 1:
            return INT32_MAX - (raw & 0xFF);
        case 2:
            return int8_t(raw);
        default:
            return raw;
    }
}

// Never black, so that the image is told apart from what lies around it.
uint32_t Color(int32_t x, int32_t y) {
    return 0x010000 | uint32_t(y) << 8 | uint32_t(x);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    Input in(data, size);
    const int32_t imageWidth = 1 + in.Take<uint8_t>() % 40;
    const int32_t imageHeight = 1 + in.Take<uint8_t>() % 40;
    const qrv::Point origin{Coordinate(in), Coordinate(in)};
    qrv::PixelImage image(imageWidth, imageHeight);
    for (int32_t y = 0; y < imageHeight; ++y) {
        for (int32_t x = 0; x < imageWidth; ++x) {
            image.SetPacked(x, y, Color(x, y));
        }
    }
    qrv::ImageScreenSource screen(std::move(image), origin);
    const int32_t left = Coordinate(in);
    const int32_t top = Coordinate(in);
    const int32_t width = int8_t(in.Take<uint8_t>()) % 48;
    const int32_t height = int8_t(in.Take<uint8_t>()) % 48;
    const qrv::Rect area{left, top, int32_t(std::min<int64_t>(int64_t(left) + width, INT32_MAX)),
                         int32_t(std::min<int64_t>(int64_t(top) + height, INT32_MAX))};
    qrv::PixelImage into;
    const bool captured = screen.Capture(area, into);
    if (captured != area.Valid() || into.m_iWidth != (captured ? area.Width() : 0) ||
        into.m_iHeight != (captured ? area.Height() : 0)) {
        __builtin_trap();
    }
    for (int32_t y = 0; y < into.m_iHeight; ++y) {
        for (int32_t x = 0; x < into.m_iWidth; ++x) {
            const int64_t ix = int64_t(left) + x - origin.x;
            const int64_t iy = int64_t(top) + y - origin.y;
            const bool inside = ix >= 0 && ix < imageWidth && iy >= 0 && iy < imageHeight;
            const uint32_t want = inside ? Color(int32_t(ix), int32_t(iy)) : 0;
            if (into.PackedAt(x, y) != want) {
                __builtin_trap();
            }
        }
    }
    return 0;
}
