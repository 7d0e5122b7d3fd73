#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "color_test_images.h"
#include "core/colors/color_columns.h"
#include "core/colors/color_list.h"
#include "core/colors/color_list_texts.h"
#include "core/colors/color_sources.h"
#include "core/settings/memory_profile_store.h"
#include "fakes/fake_image_codec.h"
#include "fakes/fake_screen_source.h"

namespace qrv {
namespace {

using namespace color_test;
constexpr std::string_view kApp = "Quorvane by Tolbrin";

std::vector<uint32_t> RowColors(const ColorList& list) {
    std::vector<uint32_t> colors;
    for (std::size_t i = 0; i < list.RowCount(); ++i) {
        EXPECT_EQ(list.Row(i).number, i + 1);
        colors.push_back(list.Row(i).color);
    }
    return colors;
}

TEST(ColorListTest, AddedColorIsPlacedBySetOrderAndRowsAreRenumbered) {
    ColorSet set;
    set.InsertImage(ImageOf({kWhite, kGrey, kBlack}));
    ColorList list(set, "3 Unique Colors from File a.png of Width 3, Height 1");
    EXPECT_EQ(RowColors(list), (std::vector<uint32_t>{kBlack, kWhite, kGrey}));

    // Red falls into bucket 0, so it takes the top row.
    EXPECT_EQ(list.AddColor(kRed), AddColorResult::Added);
    EXPECT_EQ(RowColors(list), (std::vector<uint32_t>{kRed, kBlack, kWhite, kGrey}));
    EXPECT_EQ(list.Title(kApp), "4 Unique Pixel Color(s) - Quorvane by Tolbrin");
    EXPECT_EQ(list.Summary(), "3 Unique Colors from File a.png of Width 3, Height 1");

    EXPECT_EQ(list.AddColor(kWhite), AddColorResult::AlreadyListed);
    EXPECT_EQ(RowColors(list), (std::vector<uint32_t>{kRed, kBlack, kWhite, kGrey}));
    const ColorRow grey = list.Row(3);
    EXPECT_EQ(grey.number, 4U);
    EXPECT_EQ(grey.Red() + grey.Green() * 256 + grey.Blue() * 65536, kGrey);
}

// The product's message names the status and the file; the sentence after it
// says what happened.
TEST(ColorListTextsTest, LoadFailuresSayWhyInWords) {
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "qrv-load-reason";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    const std::string junk = (dir / "junk.png").string();
    std::ofstream(junk) << "not a picture";
    struct Case {
        std::string path;
        uint32_t status;
        std::string reason;
    };
    std::vector<Case> cases = {
        {(dir / "gone.png").string(), 0x80004005, "The file does not exist."},
        {dir.string(), 0x80004005, "It is not a regular file."},
        {junk, 0x80004005, "The file is not an image in a format this program reads."},
        {junk, 0x8007000E, "The picture is too large to load."},
    };
    std::error_code linked;  // some systems have no symbolic links
    std::filesystem::create_symlink("loop.png", dir / "loop.png", linked);
    if (!linked) {
        cases.push_back({(dir / "loop.png").string(), 0x80004005,
                         "The file cannot be reached: Too many levels of symbolic links."});
    }
    for (const auto& c : cases) {
        char hex[16];
        std::snprintf(hex, sizeof hex, "%x", c.status);
        EXPECT_EQ(ImageLoadFailedText(c.status, c.path), "Failed to Load Image, Error " +
                                                             std::string(hex) + ".\n\n" + c.path +
                                                             "\n\n" + c.reason);
    }
    std::filesystem::remove_all(dir);
}

TEST(ColorColumnsTest, DefaultsScaleWithTheListAndStoredWidthsWin) {
    MemoryProfileStore store;
    EXPECT_EQ(LoadColorColumnWidths(store, 575), (ColorColumnWidths{50, 150, 75, 75, 75}));
    EXPECT_EQ(LoadColorColumnWidths(store, 1150), (ColorColumnWidths{100, 300, 150, 150, 150}));
    // 50 * 600 / 575 = 52.17 and 150 * 600 / 575 = 156.5 truncate.
    EXPECT_EQ(LoadColorColumnWidths(store, 600), (ColorColumnWidths{52, 156, 78, 78, 78}));

    const int32_t saved[] = {40, 200, 60};
    SaveColorColumnWidths(store, saved);
    EXPECT_EQ(store.GetInt("Settings", "ColumnPD1", 0), 200);
    EXPECT_FALSE(store.Contains("Settings", "ColumnPD3"));
    EXPECT_EQ(LoadColorColumnWidths(store, 1150), (ColorColumnWidths{40, 200, 60, 150, 150}));
    EXPECT_EQ(ColorColumnWidthKey(4), "ColumnPD4");
}

TEST(ColorSourcesTest, ImageFileAndScreenAreaColorsAndSummaries) {
    FakeImageCodec codec;
    codec.SetImage("/pics/dir.v2/three.png", ImageOf({kRed, kRed, kBlue, kRed}));
    const CollectedColors colors = CollectImageFileColors(codec, "/pics/dir.v2/three.png");
    EXPECT_EQ(colors.status, kStatusOk);
    EXPECT_EQ(colors.set.Count(), 2U);
    EXPECT_EQ(colors.summary, "2 Unique Colors from File three.png of Width 4, Height 1");

    const CollectedColors missing = CollectImageFileColors(codec, "/pics/none.png");
    EXPECT_EQ(missing.status, kStatusFail);
    EXPECT_TRUE(missing.set.Empty());

    FakeScreenSource screen;
    screen.SetScreen(ImageOf({kWhite, kGreen, kWhite}), Point{-100, 0});
    // One pixel right of the image reads black.
    const CollectedColors area = CollectScreenAreaColors(screen, Rect{-99, 0, -96, 1});
    EXPECT_EQ(OrderedOf(area.set), (std::vector<uint32_t>{kBlack, kGreen, kWhite}));
    EXPECT_EQ(area.summary, "3 Unique Colors from Screen Area Top 0, Left -99, Width 3, Height 1");
}

}  // namespace
}  // namespace qrv
