#include <gtest/gtest.h>

#include "platform_test_support.h"

#include <X11/XKBlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <vector>

#include "platform/x11/x_global_hot_keys.h"
#include "x11_test_client.h"

namespace qrv {
namespace {

constexpr uint32_t kVkK = 0x4B;
constexpr uint32_t kVkJ = 0x4A;
constexpr uint32_t kVkF9 = 0x78;
constexpr uint32_t kCtrlShift = hot_key_mod::kControl | hot_key_mod::kShift;
constexpr int kSentinel = 99;

class XGlobalHotKeysTest : public ::testing::Test {
  protected:
    void SetUp() override {
        QRV_SKIP_WITHOUT_DESKTOP();
        m_hotKeys = std::make_unique<XGlobalHotKeys>();
        ASSERT_TRUE(m_hotKeys->Connected());
        for (int id : {1, 2, 3, 4, 5, kSentinel}) {
            m_hotKeys->SetHandler(id, [this](int pressed) { m_calls.push_back(pressed); });
        }
        // Shift+F9 marks the end of every key sequence.
        ASSERT_TRUE(m_hotKeys->Register(kSentinel, hot_key_mod::kShift, kVkF9));
    }

    void Key(KeySym sym, bool press) {
        XTestFakeKeyEvent(m_client.Get(), XKeysymToKeycode(m_client.Get(), sym), press,
                          CurrentTime);
    }
    // Presses the keys in order and releases them in reverse.
    void Chord(const std::vector<KeySym>& keys) {
        for (KeySym k : keys)
            Key(k, true);
        for (auto k = keys.rbegin(); k != keys.rend(); ++k)
            Key(*k, false);
    }
    // Sends the sentinel, runs the event loop until it arrives and returns
    // the hot keys seen before it.
    std::vector<int> Delivered() {
        Chord({XK_Shift_L, XK_F9});
        XSync(m_client.Get(), False);
        bool ended =
            test::WaitUntil([&] { return !m_calls.empty() && m_calls.back() == kSentinel; });
        EXPECT_TRUE(ended) << "sentinel hot key not delivered";
        std::vector<int> calls(m_calls.begin(), m_calls.end() - (ended ? 1 : 0));
        m_calls.clear();
        return calls;
    }

    test::XTestClient m_client;
    std::unique_ptr<XGlobalHotKeys> m_hotKeys;
    std::vector<int> m_calls;
};

TEST_F(XGlobalHotKeysTest, EachPressCallsTheHandlerOnceWhateverTheLockState) {
    ASSERT_TRUE(m_hotKeys->Register(1, kCtrlShift, kVkK));
    Chord({XK_Control_L, XK_Shift_L, XK_k});
    Chord({XK_Control_L, XK_Shift_L, XK_k});
    Chord({XK_Control_L, XK_k});  // a different combination
    EXPECT_EQ(Delivered(), (std::vector<int>{1, 1}));

    // A held key repeats its press (quickly here); the handler runs once.
    unsigned int delay = 0, interval = 0;
    XkbGetAutoRepeatRate(m_client.Get(), XkbUseCoreKbd, &delay, &interval);
    XkbSetAutoRepeatRate(m_client.Get(), XkbUseCoreKbd, 20, 10);
    for (KeySym k : {XK_Control_L, XK_Shift_L, XK_k})
        Key(k, true);
    XSync(m_client.Get(), False);
    QThread::msleep(200);
    Key(XK_k, false);
    XkbSetAutoRepeatRate(m_client.Get(), XkbUseCoreKbd, delay, interval);
    Key(XK_Shift_L, false);
    Key(XK_Control_L, false);
    EXPECT_EQ(Delivered(), (std::vector<int>{1}));

    Chord({XK_Caps_Lock});
    Chord({XK_Num_Lock});
    Chord({XK_Control_L, XK_Shift_L, XK_k});
    Chord({XK_Caps_Lock});
    Chord({XK_Num_Lock});
    EXPECT_EQ(Delivered(), (std::vector<int>{1}));
}

TEST_F(XGlobalHotKeysTest, ReRegisteringReleasesTheOldCombinationAndFailuresAreQuiet) {
    ASSERT_TRUE(m_hotKeys->Register(1, kCtrlShift, kVkK));
    ASSERT_TRUE(m_hotKeys->Register(1, kCtrlShift, kVkJ));
    Chord({XK_Control_L, XK_Shift_L, XK_k});
    Chord({XK_Control_L, XK_Shift_L, XK_j});
    EXPECT_EQ(Delivered(), (std::vector<int>{1}));
    m_hotKeys->Unregister(1);
    Chord({XK_Control_L, XK_Shift_L, XK_j});
    EXPECT_EQ(Delivered(), (std::vector<int>{}));

    // Combinations held elsewhere or unknown fail quietly.
    Display* other = m_client.Get();
    const KeyCode j = XKeysymToKeycode(other, XK_j);
    XGrabKey(other, j, ControlMask | Mod1Mask, m_client.Root(), False, GrabModeAsync,
             GrabModeAsync);
    XSync(other, False);
    const uint32_t ctrlAlt = hot_key_mod::kControl | hot_key_mod::kAlt;
    EXPECT_FALSE(m_hotKeys->Register(2, ctrlAlt, kVkJ));
    EXPECT_FALSE(m_hotKeys->Register(3, hot_key_mod::kShift, kVkF9));  // held by the sentinel
    EXPECT_FALSE(m_hotKeys->Register(4, 0, 0xFF));                     // no such key
    EXPECT_TRUE(m_hotKeys->Register(5, kCtrlShift, kVkJ));
    XUngrabKey(other, j, ControlMask | Mod1Mask, m_client.Root());
    XSync(other, False);
    // The failed registration left nothing grabbed: the combination is free now.
    EXPECT_TRUE(m_hotKeys->Register(2, ctrlAlt, kVkJ));
    Chord({XK_Control_L, XK_Alt_L, XK_j});
    Chord({XK_Control_L, XK_Shift_L, XK_j});
    EXPECT_EQ(Delivered(), (std::vector<int>{2, 5}));
}

}  // namespace
}  // namespace qrv
