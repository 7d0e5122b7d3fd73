#include "platform/portal/pipewire_stream.h"
#include "platform/portal/pipewire_screen_source.h"

#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QProcess>
#include <QThread>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace qrv {
namespace {

bool HavePipeWire() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    return runtime && std::filesystem::exists(std::string(runtime) + "/pipewire-0");
}

// GStreamer's checkers-8 test picture: 8x8 squares, red where the square's
// column and row add up to an even number, green elsewhere (0x00RRGGBB).
uint32_t Checker(int32_t x, int32_t y) {
    return ((x / 8 + y / 8) % 2 == 0) ? 0xFF0000u : 0x00FF00u;
}

std::string CheckerMismatch(const PixelImage& image) {
    for (int32_t y = 0; y < image.m_iHeight; ++y) {
        for (int32_t x = 0; x < image.m_iWidth; ++x) {
            const uint8_t* p = image.Row(y) + std::size_t(x) * 4;
            const uint32_t rgb = (uint32_t(p[2]) << 16) | (uint32_t(p[1]) << 8) | p[0];
            if (rgb != Checker(x, y)) {
                return "pixel " + std::to_string(x) + "," + std::to_string(y);
            }
        }
    }
    return {};
}

// A video source on PipeWire: GStreamer's test picture, offered as a node.
class TestPictureNode {
  public:
    TestPictureNode(const std::string& name, const std::string& format) {
        m_process.setProcessChannelMode(QProcess::ForwardedChannels);
        m_process.start(QStringLiteral("gst-launch-1.0"),
                        {"-q", "videotestsrc", "pattern=checkers-8", "is-live=true", "!",
                         QString::fromStdString("video/x-raw,format=" + format +
                                                ",width=200,height=120,framerate=30/1"),
                         "!", "pipewiresink", "mode=provide",
                         QString::fromStdString("stream-properties=p,node.name=" + name)});
    }
    ~TestPictureNode() {
        m_process.kill();
        m_process.waitForFinished();
    }

  private:
    QProcess m_process;
};

// A stream of the node with its first frame in `frame`. The node appears some
// time after GStreamer starts (the first start builds its plug-in registry); a
// stream made before that gets nothing, so this retries within a bound.
std::unique_ptr<PipeWireStream> StreamWithFrame(const std::string& name, PixelImage& frame) {
    const QDeadlineTimer deadline(60000);
    do {
        std::unique_ptr<PipeWireStream> stream = PipeWireStream::Connect(-1, 0, name);
        if (stream && stream->NextFrame(frame, 2000)) {
            return stream;
        }
        QThread::msleep(50);  // the node may not be there yet
    } while (!deadline.hasExpired());
    return nullptr;
}

class PipeWireStreamTest : public testing::TestWithParam<const char*> {};

// Frames of either byte order arrive as blue, green, red, x, whole and in order.
TEST_P(PipeWireStreamTest, ReadsTheFramesOfARealStream) {
    if (!HavePipeWire()) {
        GTEST_SKIP() << "needs PipeWire (tests/wayland/with-sway.sh --portal)";
    }
    const std::string name = std::string("qrv-test-") + GetParam();
    TestPictureNode node(name, GetParam());
    PixelImage frame;
    std::unique_ptr<PipeWireStream> stream = StreamWithFrame(name, frame);
    ASSERT_NE(stream, nullptr);
    ASSERT_FALSE(frame.Empty());
    EXPECT_EQ(frame.m_iWidth, 200);
    EXPECT_EQ(frame.m_iHeight, 120);
    EXPECT_EQ(CheckerMismatch(frame), "");
    // The stream goes on: a later frame, as whole.
    ASSERT_TRUE(stream->NextFrame(frame, 20000));
    EXPECT_EQ(CheckerMismatch(frame), "");
}

// A stream stands for its monitor: areas reaching past it read black there.
TEST(PipeWireScreenSourceTest, PiecesTheAreaFromTheMonitorsStream) {
    if (!HavePipeWire()) {
        GTEST_SKIP() << "needs PipeWire (tests/wayland/with-sway.sh --portal)";
    }
    TestPictureNode node("qrv-test-monitor", "BGRx");
    PixelImage frame;
    std::unique_ptr<PipeWireStream> stream = StreamWithFrame("qrv-test-monitor", frame);
    ASSERT_FALSE(frame.Empty());
    const Rect monitor{-100, 50, 100, 170};
    std::vector<PipeWireScreenSource::Monitor> monitors;
    monitors.push_back({std::move(stream), monitor});
    PipeWireScreenSource source(std::move(monitors), 20000);
    PixelImage image;
    ASSERT_TRUE(source.Capture({-110, 40, -50, 80}, image));
    ASSERT_EQ(image.m_iWidth, 60);
    ASSERT_EQ(image.m_iHeight, 40);
    for (int32_t y = 0; y < image.m_iHeight; ++y) {
        for (int32_t x = 0; x < image.m_iWidth; ++x) {
            const Point screen{-110 + x, 40 + y};
            const uint32_t rgb = monitor.Contains(screen)
                                     ? Checker(screen.x - monitor.left, screen.y - monitor.top)
                                     : 0u;
            // PackedAt is 0x00BBGGRR.
            const uint32_t packed = ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | (rgb >> 16);
            ASSERT_EQ(image.PackedAt(x, y), packed) << x << "," << y;
        }
    }
    EXPECT_FALSE(source.Capture({200, 0, 210, 10}, image));  // off the monitor
}

// A monitor that sends no frame makes every capture that covers it fail,
// rather than read black there; the other monitors are still captured.
TEST(PipeWireScreenSourceTest, AMonitorWithoutFramesFailsTheCapturesOverIt) {
    if (!HavePipeWire()) {
        GTEST_SKIP() << "needs PipeWire (tests/wayland/with-sway.sh --portal)";
    }
    TestPictureNode node("qrv-test-framed", "BGRx");
    PixelImage frame;
    std::vector<PipeWireScreenSource::Monitor> monitors;
    monitors.push_back({StreamWithFrame("qrv-test-framed", frame), Rect{0, 0, 200, 120}});
    monitors.push_back(
        {PipeWireStream::Connect(-1, 0, "qrv-no-such-node"), Rect{200, 0, 400, 120}});
    ASSERT_NE(monitors[0].stream, nullptr);
    ASSERT_NE(monitors[1].stream, nullptr);
    PipeWireScreenSource source(std::move(monitors), 20000);
    PixelImage image;
    EXPECT_FALSE(source.Capture({150, 0, 250, 50}, image));
    EXPECT_FALSE(source.Capture({250, 0, 350, 50}, image));
    EXPECT_TRUE(source.Capture({0, 0, 200, 120}, image));
}

INSTANTIATE_TEST_SUITE_P(ByteOrders, PipeWireStreamTest, testing::Values("BGRx", "RGBx", "RGBA"));

TEST(PipeWireStreamNoSource, FailsWithoutTheNode) {
    if (!HavePipeWire()) {
        GTEST_SKIP() << "needs PipeWire (tests/wayland/with-sway.sh --portal)";
    }
    auto stream = PipeWireStream::Connect(-1, 0, "qrv-no-such-node");
    ASSERT_NE(stream, nullptr);
    PixelImage frame;
    EXPECT_FALSE(stream->NextFrame(frame, 20000));
    EXPECT_TRUE(stream->Failed());
    EXPECT_TRUE(frame.Empty());
}

}  // namespace
}  // namespace qrv
