#include "scenes.h"

#include <algorithm>
#include <cstring>
#include <random>

namespace qrv {

namespace {

constexpr uint32_t kInk = 0x202020, kInkShade = 0x8C8C8C, kBorder = 0x7A7A7A;

class Painter {
  public:
    Painter(PixelImage& image, uint32_t seed) : m_image(image), m_rng(seed) {}

    int32_t Int(int32_t lo, int32_t hi) { return std::uniform_int_distribution<>(lo, hi)(m_rng); }

    void Rect(int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint32_t color) {
        x0 = std::max(x0, 0), y0 = std::max(y0, 0);
        x1 = std::min(x1, m_image.m_iWidth), y1 = std::min(y1, m_image.m_iHeight);
        for (int32_t y = y0; y < y1; ++y) {
            for (int32_t x = x0; x < x1; ++x) {
                m_image.SetPacked(x, y, color);
            }
        }
    }

    void Frame(int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint32_t color) {
        Rect(x0, y0, x1, y0 + 1, color);
        Rect(x0, y1 - 1, x1, y1, color);
        Rect(x0, y0, x0 + 1, y1, color);
        Rect(x1 - 1, y0, x1, y1, color);
    }

    // A 5x7 glyph from the bits of code, with a lighter edge like smoothed text.
    void Glyph(int32_t x, int32_t y, uint32_t code, uint32_t ink, uint32_t shade) {
        uint64_t bits = (uint64_t(code) * 0x9E3779B97F4A7C15ull) >> 29;
        for (int32_t gy = 0; gy < 7; ++gy) {
            for (int32_t gx = 0; gx < 5; ++gx, bits >>= 1) {
                if (bits & 1) {
                    Rect(x + gx, y + gy, x + gx + 1, y + gy + 1, ink);
                    Rect(x + gx + 1, y + gy, x + gx + 2, y + gy + 1, shade);
                }
            }
        }
    }

    // A line of words; returns nothing, clipped at x1.
    void Text(int32_t x, int32_t y, int32_t x1, uint32_t ink, uint32_t shade) {
        const int32_t words = Int(2, 9);
        for (int32_t w = 0; w < words && x < x1 - 8; ++w) {
            for (int32_t n = Int(2, 9); n > 0 && x < x1 - 8; --n, x += 7) {
                Glyph(x, y, uint32_t(Int(1, 95)), ink, shade);
            }
            x += 6;
        }
    }

    // A square with a two-colour gradient and a border: colours that occur nowhere else.
    void Icon(int32_t x, int32_t y, int32_t size) {
        const uint32_t a = uint32_t(Int(0, 0xFFFFFF)), b = uint32_t(Int(0, 0xFFFFFF));
        for (int32_t i = 0; i < size; ++i) {
            uint32_t c = 0;
            for (int ch = 0; ch < 3; ++ch) {
                const int32_t ca = int32_t((a >> (8 * ch)) & 0xFF);
                const int32_t cb = int32_t((b >> (8 * ch)) & 0xFF);
                c |= uint32_t(ca + (cb - ca) * i / size) << (8 * ch);
            }
            Rect(x + 1, y + i, x + size - 1, y + i + 1, c);
        }
        Frame(x, y, x + size, y + size, 0x404040);
    }

    void Button(int32_t x, int32_t y, int32_t w) {
        Rect(x, y, x + w, y + 22, 0xE1E1E1);
        Frame(x, y, x + w, y + 22, 0xADADAD);
        Text(x + 8, y + 8, x + w - 4, kInk, kInkShade);
    }

    void Window(int32_t x, int32_t y, int32_t w, int32_t h, bool dense) {
        static const uint32_t kAccents[] = {0xD77800, 0x2B579A, 0x217346, 0x5C2D91, 0xB7472A};
        static const uint32_t kPanels[] = {0xFFFFFF, 0xFFFFFF, 0xF0F0F0};
        const uint32_t accent = kAccents[Int(0, 4)];
        const uint32_t panel = kPanels[Int(0, 2)];
        Rect(x, y, x + w, y + h, panel);
        Rect(x, y, x + w, y + 30, accent);
        Text(x + 36, y + 12, x + w / 2, 0xFFFFFF, 0xC0C0C0);
        Icon(x + 8, y + 7, 16);
        Frame(x, y, x + w, y + h, kBorder);
        const int32_t lineGap = dense ? 14 : 40;
        const int32_t lines = dense ? (h - 90) / lineGap : Int(2, 8);
        for (int32_t i = 0; i < lines; ++i) {
            Text(x + 16, y + 50 + i * lineGap, x + w - 16, kInk, kInkShade);
        }
        const int32_t buttons = dense ? Int(2, 6) : Int(1, 2);
        for (int32_t i = 0; i < buttons; ++i) {
            Button(x + w - 90 * (i + 1), y + h - 34, 80);
        }
        if (dense) {
            for (int32_t i = 0, icons = Int(3, 12); i < icons; ++i) {
                Icon(x + 12 + i * 40, y + 36, 32);
            }
        }
    }

    // A notification above the taskbar: a white panel with an icon and text.
    void Toast(int32_t x, int32_t y) {
        Rect(x, y, x + 390, y + 110, 0xFFFFFF);
        Frame(x, y, x + 390, y + 110, kBorder);
        Icon(x + 24, y + 40, 32);
        Text(x + 72, y + 40, x + 380, kInk, kInkShade);
        Text(x + 72, y + 60, x + 380, kInk, kInkShade);
    }

    void Taskbar() {
        const int32_t w = m_image.m_iWidth, h = m_image.m_iHeight;
        Rect(0, h - 40, w, h, 0x2B2B2B);
        for (int32_t i = 0, apps = Int(4, 10); i < apps; ++i) {
            Icon(8 + i * 48, h - 36, 32);
        }
        for (int32_t x = w - 260; x < w - 100; x += 24) {
            Icon(x, h - 28, 16);
        }
        Text(w - 90, h - 32, w - 4, 0xFFFFFF, 0xA0A0A0);
        Text(w - 90, h - 18, w - 4, 0xFFFFFF, 0xA0A0A0);
    }

  private:
    PixelImage& m_image;
    std::mt19937 m_rng;
};

}  // namespace

PixelImage MakeDeskScene(int32_t width, int32_t height, bool tight, uint32_t seed) {
    PixelImage image(width, height);
    Painter paint(image, seed);
    paint.Rect(0, 0, width, height, 0x8A5A2E);
    for (int32_t i = 0, icons = height / 90; i < icons; ++i) {
        paint.Icon(20, 20 + i * 90, 48);
        paint.Text(14, 74 + i * 90, 90, 0xFFFFFF, 0x505050);
    }
    const int32_t windows = tight ? 16 : 4;
    for (int32_t i = 0; i < windows; ++i) {
        const int32_t pw = tight ? paint.Int(20, 45) : paint.Int(40, 70);
        const int32_t ph = tight ? paint.Int(20, 45) : paint.Int(40, 70);
        const int32_t w = width * pw / 100, h = height * ph / 100;
        const int32_t x = paint.Int(120, std::max(120, width - w));
        const int32_t y = paint.Int(0, std::max(0, height - 40 - h));
        paint.Window(x, y, w, h, tight);
    }
    const Point spot = bench::PictureSpot(width, height);
    paint.Toast(spot.x - 16, spot.y - 32);
    paint.Taskbar();
    return image;
}

namespace bench {

namespace {

uint32_t XorShift(uint32_t& state) {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
}

}  // namespace

PixelImage MakeNoiseScene(int32_t width, int32_t height, uint32_t seed) {
    PixelImage image(width, height);
    uint32_t state = seed | 1u;
    for (std::size_t i = 0; i < image.SizeBytes(); i += 4) {
        const uint32_t v = XorShift(state);
        std::memcpy(image.Data() + i, &v, 4);
    }
    return image;
}

PixelImage MakeUniformScene(int32_t width, int32_t height, uint32_t packed) {
    PixelImage image(width, height);
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            image.SetPacked(x, y, packed);
        }
    }
    return image;
}

PixelImage MakePatternScene(int32_t width, int32_t height, uint32_t a, uint32_t b, bool stripes) {
    PixelImage image(width, height);
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            const bool odd = stripes ? (x & 1) != 0 : ((x + y) & 1) != 0;
            image.SetPacked(x, y, odd ? b : a);
        }
    }
    return image;
}

PixelImage MakeTextPage(int32_t width, int32_t height, uint32_t ink, uint32_t paper,
                        uint32_t seed) {
    PixelImage image = MakeUniformScene(width, height, paper);
    Painter paint(image, seed);
    for (int32_t y = 4; y + 7 < height; y += 12) {
        paint.Text(4, y, width - 4, ink, ink);
        paint.Text(width / 2, y, width - 4, ink, ink);
    }
    return image;
}

void AddChannelNoise(PixelImage& image, int32_t amount, uint32_t seed) {
    uint32_t state = seed | 1u;
    const uint32_t span = uint32_t(2 * amount + 1);
    for (std::size_t i = 0; i < image.SizeBytes(); i += 4) {
        for (std::size_t ch = 0; ch < 3; ++ch) {
            const int32_t v =
                int32_t(image.Data()[i + ch]) + int32_t(XorShift(state) % span) - amount;
            image.Data()[i + ch] = uint8_t(std::clamp(v, 0, 255));
        }
    }
}

PixelImage CutPicture(const PixelImage& image, int32_t x, int32_t y, int32_t width,
                      int32_t height) {
    PixelImage picture(width, height);
    for (int32_t row = 0; row < height; ++row) {
        std::memcpy(picture.Row(row), image.Row(y + row) + std::size_t(x) * 4,
                    std::size_t(width) * 4);
    }
    return picture;
}

Point PictureSpot(int32_t areaWidth, int32_t areaHeight) {
    return {areaWidth - 384, areaHeight - 128};
}

bool SameColors(const PixelImage& a, const PixelImage& b) {
    if (a.m_iWidth != b.m_iWidth || a.m_iHeight != b.m_iHeight) {
        return false;
    }
    for (int32_t y = 0; y < a.m_iHeight; ++y) {
        for (int32_t x = 0; x < a.m_iWidth; ++x) {
            if (a.PackedAt(x, y) != b.PackedAt(x, y)) {
                return false;
            }
        }
    }
    return true;
}

}  // namespace bench
}  // namespace qrv
