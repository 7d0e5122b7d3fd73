#include "platform/freedesktop/portal_global_hot_keys.h"

#include <gtest/gtest.h>

#include <glib.h>

#include <QCoreApplication>
#include <memory>
#include <string>
#include <vector>

#include "platform/freedesktop/session_bus.h"
#include "scripted_portal.h"

namespace qrv {
namespace {

using namespace hot_key_mod;
constexpr uint32_t kF6 = 0x75;
constexpr uint32_t kF9 = 0x78;
const char* const kStart = "shortcut start-stop CTRL+SHIFT+F9 Start or stop the search";
const char* const kColour = "shortcut add-colour F6 Add the colour under the mouse cursor";

std::string Joined(const QStringList& lines) {
    return lines.join(" | ").toStdString();
}

void Activate(const char* shortcut) {
    SessionBus::Call("org.freedesktop.portal.Desktop", "/org/tolbrin/QuorvaneTest",
                     "org.tolbrin.QuorvaneTest.Peer", "Activate", g_variant_new("(s)", shortcut),
                     nullptr);
}

class PortalGlobalHotKeysTest : public testing::Test {
  protected:
    void SetUp() override {
        if (!ScriptedPortal::BusIsFree()) {
            GTEST_SKIP() << "needs a session bus without a desktop portal";
        }
    }
    std::string Logged(qsizetype from, qsizetype count = -1) const {
        return m_portal.Logged(from, count);
    }
    QStringList Lines() const { return m_portal.Lines(); }
    template <typename Done>
    static bool RunUntil(Done done) {
        return ScriptedPortal::RunUntil(done);
    }

    ScriptedPortal m_portal;
};

TEST_F(PortalGlobalHotKeysTest, BindsTheWholeSetOnEachChangeAndCallsTheActivatedId) {
    ASSERT_TRUE(m_portal.Start({}));
    ASSERT_TRUE(PortalGlobalHotKeys::Offered());
    {
        PortalGlobalHotKeys unused(20000);  // as in the command line: no key, no session
    }
    EXPECT_EQ(Logged(0), "");
    auto keys = std::make_unique<PortalGlobalHotKeys>(20000);

    ASSERT_TRUE(keys->Register(hot_key_id::kStartSearch, kControl | kShift, kF9));
    ASSERT_TRUE(keys->Register(hot_key_id::kAddColor, 0, kF6));
    // The session is created with the first key, and each change binds the whole set.
    EXPECT_EQ(Logged(0, 7),
              Joined({"create 1", kStart, "bind 1", kStart, "bind 2", kStart, kColour}));

    // A combination another id holds, or a key without a name, is refused
    // and what the id held is let go.
    EXPECT_FALSE(keys->Register(hot_key_id::kAddColor, kControl | kShift, kF9));
    EXPECT_FALSE(keys->Register(hot_key_id::kAddColor, 0, 0x07));
    ASSERT_TRUE(RunUntil([&] { return Lines().size() >= 10; }));
    EXPECT_EQ(Logged(7, 2), Joined({"bind 1", kStart}));

    std::vector<int> pressed;
    keys->SetHandler(hot_key_id::kStartSearch, [&](int id) { pressed.push_back(id); });
    keys->SetHandler(hot_key_id::kAddColor, [&](int id) { pressed.push_back(id); });
    Activate("add-colour");  // no longer bound
    Activate("start-stop");
    ASSERT_TRUE(RunUntil([&] { return !pressed.empty(); }));
    EXPECT_EQ(pressed, std::vector<int>{hot_key_id::kStartSearch});

    // A changed key: let go and bound again at once asks the portal once.
    const qsizetype before = Lines().size();
    keys->Unregister(hot_key_id::kStartSearch);
    ASSERT_TRUE(keys->Register(hot_key_id::kStartSearch, kAlt, 0x41));
    QCoreApplication::processEvents();
    EXPECT_EQ(Logged(before - 1),
              Joined({"bind 1", "shortcut start-stop ALT+a Start or stop the search", ""}));

    keys.reset();
    EXPECT_EQ(Lines().value(Lines().size() - 2), "closed");
}

TEST_F(PortalGlobalHotKeysTest, APortalWithoutGlobalShortcutsIsNotTaken) {
    ASSERT_TRUE(m_portal.Start({"--no-shortcuts"}));
    EXPECT_FALSE(PortalGlobalHotKeys::Offered());
}

// Whether a key holds is what the portal says it bound: Plasma 5.27 binds the
// shortcuts CreateSession brings and answers BindShortcuts with an empty
// list; a key the portal leaves out is refused, as a key another client holds.
TEST_F(PortalGlobalHotKeysTest, AKeyHoldsOnlyWhereThePortalBoundIt) {
    const struct {
        QStringList options;
        bool startHolds;
        bool colourHolds;
    } cases[] = {
        {{"--plasma-5.27"}, true, false},  // 5.27 binds nothing after CreateSession
        {{"--unbound", "start-stop"}, false, true},
        {{"--plasma-5.27", "--unbound", "start-stop"}, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.options.join(' ').toStdString());
        ASSERT_TRUE(m_portal.Start(c.options));
        {
            PortalGlobalHotKeys keys(20000);
            std::vector<int> pressed;
            keys.SetHandler(hot_key_id::kStartSearch, [&](int id) { pressed.push_back(id); });
            EXPECT_EQ(keys.Register(hot_key_id::kStartSearch, kControl | kShift, kF9),
                      c.startHolds);
            EXPECT_EQ(keys.Register(hot_key_id::kAddColor, 0, kF6), c.colourHolds);
            if (c.startHolds) {
                Activate("start-stop");
                EXPECT_TRUE(RunUntil([&] { return !pressed.empty(); }));
            }
        }  // closes the session while the peer still answers
        m_portal.Stop();
    }
}

}  // namespace
}  // namespace qrv
