#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <random>
#include <string>
#include <vector>

#include "matcher_test_support.h"

namespace qrv {
namespace {

// Random scans compared with the plain candidate loops on every path.

class CountingCursor : public CursorSweep {
  public:
    void MoveTo(Point p) override {
        ++count;
        hash = hash * 1000003u + uint32_t(p.x) * 31u + uint32_t(p.y);
        last = p;
    }
    uint64_t count = 0;
    uint32_t hash = 0;
    Point last;
};

// Runs the scan on every path and checks each against the reference: the
// answer, the position and every cursor move. Returns whether it was found.
bool PathsAgreeWithTheReference(MatchInputs in, const std::vector<MatcherPath>& paths,
                                const std::string& label) {
    CountingCursor want;
    in.cursor = &want;
    Point wantOut;
    const bool wantFound = FindPictureInAreaReference(in, wantOut);
    for (MatcherPath path : paths) {
        CountingCursor got;
        in.cursor = &got;
        Point out;
        const bool gotFound = FindPictureInArea(in, out, path);
        EXPECT_EQ(gotFound, wantFound) << label << " path " << int(path);
        EXPECT_EQ(out, wantOut) << label << " path " << int(path);
        EXPECT_EQ(got.count, want.count) << label << " path " << int(path);
        EXPECT_EQ(got.hash, want.hash) << label << " path " << int(path);
        if (gotFound != wantFound || out != wantOut || got.hash != want.hash) {
            break;  // one disagreement tells enough
        }
    }
    return wantFound;
}

class CaseMaker {
  public:
    explicit CaseMaker(uint32_t seed) : m_rng(seed) {}

    int32_t Int(int32_t lo, int32_t hi) { return std::uniform_int_distribution<>(lo, hi)(m_rng); }

    // Sizes 0..64, favouring pictures smaller than the area but also as large
    // and one larger.
    void Sizes(int32_t& aw, int32_t& ah, int32_t& pw, int32_t& ph) {
        aw = Int(0, 64);
        ah = Int(0, 64);
        switch (Int(0, 5)) {
            case 0:
                pw = aw, ph = ah;
                break;
            case 1:
                pw = aw + Int(0, 1), ph = ah + Int(0, 1);
                break;
            case 2:
                pw = Int(0, 64), ph = Int(0, 64);
                break;
            default:
                pw = Int(0, std::min(aw, 12)), ph = Int(0, std::min(ah, 12));
        }
    }

    // A few colours, often close to each other so tolerances cut between them.
    std::vector<uint32_t> Palette() {
        std::vector<uint32_t> palette(std::size_t(Int(1, 4)));
        const uint32_t base = uint32_t(Int(0, 0xFFFFFF));
        const bool near = Int(0, 1) == 0;
        for (uint32_t& c : palette) {
            c = near ? Nudge(base, Int(1, 12)) : uint32_t(Int(0, 0xFFFFFF));
        }
        return palette;
    }

    void Fill(PixelImage& image, const std::vector<uint32_t>& palette) {
        const int kind = Int(0, 2);  // flat with specks, palette noise, any colour
        for (int32_t y = 0; y < image.m_iHeight; ++y) {
            for (int32_t x = 0; x < image.m_iWidth; ++x) {
                uint32_t c = palette[0];
                if (kind == 2) {
                    c = uint32_t(Int(0, 0xFFFFFF));
                } else if (kind == 1 || Int(0, 15) == 0) {
                    c = palette[std::size_t(Int(0, int32_t(palette.size()) - 1))];
                }
                image.SetPacked(x, y, c);
            }
        }
    }

    void Paste(PixelImage& area, const PixelImage& picture) {
        if (picture.m_iWidth > area.m_iWidth || picture.m_iHeight > area.m_iHeight) {
            return;
        }
        const int32_t ox = Int(0, area.m_iWidth - picture.m_iWidth);
        const int32_t oy = Int(0, area.m_iHeight - picture.m_iHeight);
        const int32_t nudge = Int(0, 2) == 0 ? Int(0, 6) : 0;
        for (int32_t y = 0; y < picture.m_iHeight; ++y) {
            for (int32_t x = 0; x < picture.m_iWidth; ++x) {
                area.SetPacked(ox + x, oy + y, Nudge(picture.PackedAt(x, y), nudge));
            }
        }
    }

    void RandomByte3(PixelImage& image) {
        for (std::size_t i = 3; i < image.SizeBytes(); i += 4) {
            image.Data()[i] = uint8_t(Int(0, 255));
        }
    }

    // Clears byte 3 of no, some, most or all pixels: transparent when masked.
    void Transparency(PixelImage& image) {
        const int clearOneIn = std::array{0, 4, 1, -1}[std::size_t(Int(0, 3))];
        for (std::size_t i = 3; i < image.SizeBytes() && clearOneIn != 0; i += 4) {
            if (clearOneIn < 0 || Int(0, clearOneIn) != 0) {
                image.Data()[i] = 0;
            }
        }
    }

    void Deviations(MatchInputs& in) {
        static const int32_t kFixed[][3] = {
            {0, 0, 0},       {-5, 5, 0},    {3, -3, 0},  {-1, 4, 4},     {4, 4, -1},
            {255, 255, 255}, {300, 2, 999}, {1, 1, 1},   {6, 0, 12},     {INT_MAX, INT_MAX, 2},
            {-7, -7, 14},    {256, -1, 0},  {0, 0, 300}, {INT_MIN, 0, 0}};
        const int pick = Int(0, 20);
        if (pick < 14) {
            in.deviationRed = kFixed[pick][0];
            in.deviationGreen = kFixed[pick][1];
            in.deviationBlue = kFixed[pick][2];
        } else {
            in.deviationRed = Int(pick == 20 ? -3 : 0, 16);
            in.deviationGreen = Int(0, 16);
            in.deviationBlue = Int(0, 16);
        }
    }

  private:
    uint32_t Nudge(uint32_t c, int32_t by) {
        uint32_t out = 0;
        for (int i = 0; i < 3; ++i) {
            const int32_t v = int32_t((c >> (8 * i)) & 0xFF) + Int(-by, by);
            out |= uint32_t(std::clamp(v, 0, 255)) << (8 * i);
        }
        return out;
    }

    std::mt19937 m_rng;
};

TEST(PictureMatcherDifferentialTest, EveryPathAgreesWithTheReference) {
    const std::vector<MatcherPath> paths = test::AvailablePaths();
    int found = 0;
    constexpr int kCases = 4000;
    for (int i = 0; i < kCases; ++i) {
        CaseMaker make(uint32_t(i) * 7919u + 17u);
        int32_t aw, ah, pw, ph;
        make.Sizes(aw, ah, pw, ph);
        PixelImage area(aw, ah), picture(pw, ph);
        const std::vector<uint32_t> palette = make.Palette();
        make.Fill(area, palette);
        make.Fill(picture, palette);
        for (int copies = make.Int(0, 3); copies > 0; --copies) {
            make.Paste(area, picture);
        }
        make.RandomByte3(area);
        make.RandomByte3(picture);

        MatchInputs in =
            test::Inputs(area, picture, 0, make.Int(-4000, 4000), make.Int(-2000, 2000));
        make.Deviations(in);
        in.sweep = i % 8 == 0;
        in.maskTransparent = i % 3 == 0;
        if (in.maskTransparent) {
            make.Transparency(picture);
        }

        found += PathsAgreeWithTheReference(in, paths, "case " + std::to_string(i)) ? 1 : 0;
        if (HasFailure()) {
            return;
        }
    }
    // Both outcomes must be well represented for the comparison to mean much.
    EXPECT_GT(found, kCases / 4);
    EXPECT_LT(found, kCases * 3 / 4);
}

}  // namespace
}  // namespace qrv
