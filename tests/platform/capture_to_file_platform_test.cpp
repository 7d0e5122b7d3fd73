#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "core/capture/screen_capturer.h"
#include "fakes/fake_display_layout.h"
#include "fakes/fake_screen_source.h"
#include "platform/images/image_file_codec.h"
#include "platform/images/png_bmp_file_writer.h"

namespace qrv {
namespace {

class CaptureToFileTest : public ::testing::Test {
  protected:
    CaptureToFileTest() {
        PixelImage screen(7, 5);
        for (int32_t y = 0; y < 5; ++y) {
            for (int32_t x = 0; x < 7; ++x)
                screen.SetPacked(x, y, uint32_t(0x102030 * (x + 1) + y));
        }
        m_screen.SetScreen(screen, Point{0, 0});
    }
    CaptureRequest Request(uint32_t format) {
        CaptureRequest r;
        r.baseName = "Picture to Find ";
        r.format = format;
        r.rect = Rect{1, 1, 6, 4};
        r.wholeScreen = false;
        return r;
    }
    bool Capture(CaptureRequest& r, const QString& folder) {
        return m_capturer.CaptureRectToFile(r, folder.toStdString(), "12/4/2026 2:01:42 PM");
    }

    QTemporaryDir m_dir;
    FakeScreenSource m_screen;
    FakeDisplayLayout m_layout;
    PngBmpFileWriter m_writer;
    ScreenCapturer m_capturer{m_screen, m_layout, m_writer};
    ImageFileCodec m_codec;
};

// PNG and BMP files load back at 32 bits with the screen pixels; the other
// formats are left to the window's writer and leave no file. A capture in the
// same second replaces the file.
TEST_F(CaptureToFileTest, PngAndBmpWriteAFileThatLoadsBack) {
    struct Case {
        uint32_t format;
        const char* extension;
        int32_t bits;
        bool alpha;
    };
    std::string png;
    for (const Case c : {Case{0, "png", 32, true}, Case{1, "bmp", 32, false}}) {
        SCOPED_TRACE(c.format);
        CaptureRequest r = Request(c.format);
        ASSERT_TRUE(Capture(r, m_dir.path() + "/"));
        EXPECT_EQ(r.extension, c.extension);
        EXPECT_EQ(QFileInfo(QString::fromStdString(r.fullPath)).dir(), QDir(m_dir.path()));
        DecodedImage back;
        ASSERT_EQ(m_codec.LoadImageFile(r.fullPath, back), kStatusOk);
        EXPECT_EQ(back.bitsPerPixel, c.bits);
        EXPECT_EQ(back.hasAlpha, c.alpha);
        ASSERT_EQ(back.pixels.m_iWidth, 5);
        ASSERT_EQ(back.pixels.m_iHeight, 3);
        for (int32_t y = 0; y < 3; ++y) {
            for (int32_t x = 0; x < 5; ++x) {
                EXPECT_EQ(back.pixels.PackedAt(x, y), uint32_t(0x102030 * (x + 2) + y + 1));
                EXPECT_EQ(back.pixels.Row(y)[4 * x + 3], 0xFF);
            }
        }
        png = c.format == 0 ? r.fullPath : png;
    }
    for (const uint32_t format : {2, 3, 4}) {
        CaptureRequest other = Request(format);
        EXPECT_FALSE(Capture(other, m_dir.path()));
        EXPECT_EQ(other.result, kStatusNotSupported);
        EXPECT_FALSE(QFile::exists(QString::fromStdString(other.fullPath)));
    }

    CaptureRequest again = Request(0);
    again.rect = Rect{0, 0, 2, 2};
    ASSERT_TRUE(Capture(again, m_dir.path()));
    EXPECT_EQ(again.fullPath, png);
    DecodedImage back;
    ASSERT_EQ(m_codec.LoadImageFile(png, back), kStatusOk);
    EXPECT_EQ(back.pixels.m_iWidth, 2);
    EXPECT_EQ(back.pixels.PackedAt(1, 1), uint32_t(0x102030 * 2 + 1));

    // An unwritable folder fails and leaves no file.
    QFile blocker(m_dir.filePath("not-a-folder"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    for (const QString& folder : {blocker.fileName(), m_dir.filePath("missing")}) {
        CaptureRequest r = Request(0);
        EXPECT_FALSE(Capture(r, folder));
        EXPECT_EQ(r.result, kStatusFail);
        EXPECT_FALSE(QFile::exists(QString::fromStdString(r.fullPath))) << r.fullPath;
    }
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files | QDir::NoDotAndDotDot).size(), 3);
}

}  // namespace
}  // namespace qrv
