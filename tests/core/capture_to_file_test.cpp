#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/base/capture_format.h"
#include "core/capture/capture_file_path.h"
#include "core/capture/replace_invalid_file_name_chars.h"
#include "core/capture/screen_capturer.h"
#include "core/imaging/picture_admission.h"
#include "fakes/fake_display_layout.h"
#include "fakes/fake_screen_source.h"

namespace qrv {
namespace {

TEST(FileNameTest, InvalidCharactersBecomeSpacesAndNothingElseChanges) {
    const std::vector<std::pair<std::string, std::string>> cases{
        {"a<b>c*d|e?f\\g/h\"i:j", "a b c d e f g h i j"},
        {"12/4/2026 2:01:42 PM", "12 4 2026 2 01 42 PM"},
        {"04.12.2026 14:01:42", "04.12.2026 14 01 42"},
        {"2026/12/04 14:01:42", "2026 12 04 14 01 42"},
        {"Gr\xC3\xBC\xC3\x9F"
         "e: ok",
         "Gr\xC3\xBC\xC3\x9F"
         "e  ok"},
        {"plain-name_1 (2).x", "plain-name_1 (2).x"},
        {"", ""},
    };
    for (auto [in, expected] : cases) {
        ReplaceInvalidFileNameChars(in);
        EXPECT_EQ(in, expected);
    }
}

TEST(FileNameTest, DoubledSeparatorsCollapseInOneLeftToRightPass) {
    const std::vector<std::pair<std::string, std::string>> cases{
        {"/tmp/pictures//shot.png", "/tmp/pictures/shot.png"},
        {"//server/share/shot.png", "/server/share/shot.png"},
        {"/a///b", "/a//b"},
        {"/a////b", "/a//b"},
        {"/a/b/c", "/a/b/c"},
        {"", ""},
    };
    for (const auto& [in, expected] : cases) {
        EXPECT_EQ(CollapseDoubledSeparators(in), expected) << in;
    }
}

TEST(FileNameTest, CapturePathJoinsFolderBaseNameDateAndExtension) {
    const std::string expected = "/home/u/pictures/Picture to Find  at 12 4 2026 2 01 42 PM.png";
    for (const char* folder : {"/home/u/pictures", "/home/u/pictures/"}) {
        EXPECT_EQ(BuildCaptureFilePath(folder, "Picture to Find ", "12/4/2026 2:01:42 PM", "png"),
                  expected);
    }
    EXPECT_EQ(BuildCaptureFilePath("", "a/b", "c", "bmp"), "/a b at c.bmp");
}

TEST(PictureAdmissionTest, OnlyLoadedThirtyTwoBitPicturesAreAdmitted) {
    struct Case {
        uint32_t status;
        int32_t bits;
        PictureAdmission expected;
    };
    for (const Case& c : std::vector<Case>{
             {0, 32, PictureAdmission::Admitted},
             {1, 32, PictureAdmission::Admitted},
             {0, 24, PictureAdmission::WrongDepth},
             {0, 16, PictureAdmission::WrongDepth},
             {0, 8, PictureAdmission::WrongDepth},
             {0, 1, PictureAdmission::WrongDepth},
             {0x80004005u, 32, PictureAdmission::LoadFailed},
             {0x8007000Eu, 0, PictureAdmission::LoadFailed},
         }) {
        EXPECT_EQ(AdmitPicture(c.status, c.bits), c.expected) << c.status << " " << c.bits;
    }
}

// Keeps what it was asked to write.
class RecordingWriter : public ImageFileWriter {
  public:
    uint32_t WriteImageFile(const std::string& path, const PixelImage& pixels,
                            CaptureFormat format) override {
        paths.push_back(path);
        formats.push_back(format);
        written = PixelImage(pixels.m_iWidth, pixels.m_iHeight);
        std::memcpy(written.Data(), pixels.Data(), pixels.SizeBytes());
        return status;
    }
    uint32_t status = kStatusOk;
    std::vector<std::string> paths;
    std::vector<CaptureFormat> formats;
    PixelImage written;
};

class ScreenCapturerTest : public ::testing::Test {
  protected:
    ScreenCapturerTest() {
        PixelImage screen(40, 30);
        for (int32_t y = 0; y < 30; ++y) {
            for (int32_t x = 0; x < 40; ++x)
                screen.SetPacked(x, y, uint32_t(y << 8 | x));
        }
        m_screen.SetScreen(screen, Point{-10, 0});
        m_layout.SetMonitors({{-1280, 0, 0, 1024}, {0, 0, 1920, 1080}});
    }
    CaptureRequest Request() {
        CaptureRequest r;
        r.baseName = "Picture to Find ";
        r.format = 0;
        r.rect = Rect{-2, 3, 3, 5};
        r.wholeScreen = false;
        return r;
    }
    bool Capture(CaptureRequest& r) {
        return m_capturer.CaptureRectToFile(r, "/pics/", "12/4/2026 2:01:42 PM");
    }

    FakeScreenSource m_screen;
    FakeDisplayLayout m_layout;
    RecordingWriter m_writer;
    ScreenCapturer m_capturer{m_screen, m_layout, m_writer};
};

TEST_F(ScreenCapturerTest, WritesTheRectanglePixelsUnderADatedName) {
    CaptureRequest r = Request();
    ASSERT_TRUE(Capture(r));
    EXPECT_EQ(r.result, kStatusOk);
    EXPECT_EQ(r.extension, "png");
    EXPECT_EQ(r.fullPath, "/pics/Picture to Find  at 12 4 2026 2 01 42 PM.png");
    ASSERT_EQ(m_writer.paths, std::vector<std::string>{r.fullPath});
    EXPECT_EQ(m_writer.formats, std::vector<CaptureFormat>{CaptureFormat::Png});
    ASSERT_EQ(m_writer.written.m_iWidth, 5);
    ASSERT_EQ(m_writer.written.m_iHeight, 2);
    for (int32_t y = 0; y < 2; ++y) {
        for (int32_t x = 0; x < 5; ++x) {  // screen x = -2 + x lies at image x = 8 + x
            EXPECT_EQ(m_writer.written.PackedAt(x, y), uint32_t((3 + y) << 8 | (8 + x)));
        }
    }
    // The whole screen starts at the origin with the virtual screen's size.
    r.wholeScreen = true;
    ASSERT_TRUE(Capture(r));
    EXPECT_EQ(r.rect, (Rect{0, 0, 3200, 1080}));
    EXPECT_EQ(m_writer.written.m_iWidth, 3200);
    EXPECT_EQ(m_writer.written.m_iHeight, 1080);
}

// Failures write nothing; all but an empty base name still name the file.
TEST_F(ScreenCapturerTest, FailuresStillNameTheFileButWriteNothing) {
    CaptureRequest unnamed = Request();
    unnamed.baseName.clear();
    EXPECT_FALSE(Capture(unnamed));
    EXPECT_TRUE(unnamed.fullPath.empty());
    EXPECT_EQ(unnamed.result, kStatusFail);

    CaptureRequest unknownFormat = Request();
    unknownFormat.format = 5;  // the first past the table
    unknownFormat.extension = "old";
    EXPECT_FALSE(Capture(unknownFormat));
    EXPECT_EQ(unknownFormat.extension, "old");
    EXPECT_EQ(unknownFormat.fullPath, "/pics/Picture to Find  at 12 4 2026 2 01 42 PM.old");

    CaptureRequest empty = Request();
    empty.rect.right = empty.rect.left;
    EXPECT_FALSE(Capture(empty));

    m_screen.SetFailing(true);
    CaptureRequest unreadable = Request();
    EXPECT_FALSE(Capture(unreadable));
    EXPECT_EQ(unreadable.result, kStatusFail);
    EXPECT_EQ(unreadable.fullPath, "/pics/Picture to Find  at 12 4 2026 2 01 42 PM.png");
    EXPECT_TRUE(m_writer.paths.empty());
}

TEST_F(ScreenCapturerTest, WriterStatusBecomesTheResult) {
    for (uint32_t status : {kStatusFail, kStatusOutOfMemory}) {
        m_writer.status = status;
        CaptureRequest r = Request();
        r.format = 4;
        EXPECT_FALSE(Capture(r));
        EXPECT_EQ(r.result, status);
        EXPECT_EQ(r.extension, "tiff");
        EXPECT_EQ(m_writer.formats.back(), CaptureFormat::Tiff);
    }
}

}  // namespace
}  // namespace qrv
