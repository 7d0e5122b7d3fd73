#include <gtest/gtest.h>

#include "platform_test_support.h"

#include <X11/XKBlib.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/x11/x_beeper.h"
#include "x11_test_client.h"

namespace qrv {
namespace {

using test::WaitUntil;

// Records the events asked for; plays them or fails as told.
class FakeSoundPlayer : public SoundEventPlayer {
  public:
    FakeSoundPlayer(std::vector<std::string>& played, bool works)
        : m_played(played), m_works(works) {}
    bool Play(const std::string& eventId) override {
        m_played.push_back(eventId);
        return m_works;
    }

  private:
    std::vector<std::string>& m_played;
    const bool m_works;
};

class XBeeperTest : public ::testing::Test {
  protected:
    void SetUp() override {
        QRV_SKIP_WITHOUT_DESKTOP();
        Display* display = m_client.Get();
        int opcode = 0, errorBase = 0;
        int major = XkbMajorVersion, minor = XkbMinorVersion;
        ASSERT_TRUE(XkbQueryExtension(display, &opcode, &m_xkbEvent, &errorBase, &major, &minor));
        XkbSelectEvents(display, XkbUseCoreKbd, XkbBellNotifyMask, XkbBellNotifyMask);
        XSync(display, False);
    }

    // Bells rung so far, `expected` of them awaited. A bell that is not
    // expected could come late: one more rung afterwards by another beeper,
    // and awaited too, makes a late one arrive before the count is taken.
    int Bells(int expected) {
        XBeeper marker({}, std::make_unique<FakeSoundPlayer>(m_ignored, false));
        marker.Beep(BeepKind::Simple);
        int bells = 0;
        auto drain = [&] {
            for (XEvent event; XPending(m_client.Get());) {
                XNextEvent(m_client.Get(), &event);
                bells += event.type == m_xkbEvent &&
                         reinterpret_cast<XkbEvent*>(&event)->any.xkb_type == XkbBellNotify;
            }
            return bells > expected;
        };
        WaitUntil(drain);
        XSync(m_client.Get(), False);
        drain();
        return bells - 1;
    }

    test::XTestClient m_client;
    int m_xkbEvent = 0;
    std::vector<std::string> m_ignored;
};

// Each kind plays its own sound theme event; the X bell rings only when the
// player cannot play it.
TEST_F(XBeeperTest, PlaysTheKindsEventAndRingsTheBellOnlyWhenThatFails) {
    const std::vector<std::pair<BeepKind, std::string>> kinds = {
        {BeepKind::Error, "dialog-error"},
        {BeepKind::Information, "dialog-information"},
        {BeepKind::Warning, "dialog-warning"},
        {BeepKind::Question, "dialog-question"},
        {BeepKind::Simple, "bell"},
    };
    for (bool works : {true, false}) {
        SCOPED_TRACE(works ? "player works" : "player fails");
        std::vector<std::string> played;
        XBeeper beeper({}, std::make_unique<FakeSoundPlayer>(played, works));
        ASSERT_TRUE(beeper.Connected());
        std::vector<std::string> expected;
        for (const auto& [kind, event] : kinds) {
            beeper.Beep(kind);
            expected.push_back(event);
        }
        EXPECT_EQ(played, expected);
        const int expectedBells = works ? 0 : int(kinds.size());
        EXPECT_EQ(Bells(expectedBells), expectedBells);
    }
}

}  // namespace
}  // namespace qrv
