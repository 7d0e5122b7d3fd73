#include <gtest/gtest.h>

#include <QCoreApplication>

#include <X11/XKBlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <chrono>
#include <cstdlib>
#include <thread>
#include <vector>

#include "x11/x_global_hot_keys.h"
#include "x11_test_client.h"

namespace qrv {
namespace {

constexpr uint32_t kVkK = 0x4B;
constexpr uint32_t kVkJ = 0x4A;
constexpr uint32_t kVkF9 = 0x78;
constexpr int kSentinel = 99;

class XGlobalHotKeysTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!std::getenv("DISPLAY")) {
            GTEST_SKIP() << "no X display";
        }
        if (!QCoreApplication::instance()) {
            static int argc = 1;
            static char name[] = "platform_tests";
            static char* argv[] = {name, nullptr};
            new QCoreApplication(argc, argv);
        }
        m_pHotKeys = std::make_unique<XGlobalHotKeys>();
        ASSERT_TRUE(m_pHotKeys->Connected());
        m_pHotKeys->SetHandler([this](int id) { m_calls.push_back(id); });
        // Shift+F9 marks the end of every key sequence.
        ASSERT_TRUE(m_pHotKeys->Register(kSentinel, hot_key_mod::kShift, kVkF9));
    }

    void Key(KeySym sym, bool press) {
        XTestFakeKeyEvent(m_client.Get(), XKeysymToKeycode(m_client.Get(), sym), press,
                          CurrentTime);
    }
    void Tap(KeySym sym) {
        Key(sym, true);
        Key(sym, false);
    }
    void Chord(const std::vector<KeySym>& modifiers, KeySym sym) {
        for (KeySym m : modifiers) {
            Key(m, true);
        }
        Tap(sym);
        for (KeySym m : modifiers) {
            Key(m, false);
        }
    }
    // Sends the sentinel, runs the event loop until it arrives and returns
    // the hot keys seen before it.
    std::vector<int> Delivered() {
        Chord({XK_Shift_L}, XK_F9);
        XSync(m_client.Get(), False);
        bool ended = test::XTestClient::WaitUntil([&] {
            QCoreApplication::processEvents();
            return !m_calls.empty() && m_calls.back() == kSentinel;
        });
        EXPECT_TRUE(ended) << "sentinel hot key not delivered";
        std::vector<int> calls(m_calls.begin(), m_calls.end() - (ended ? 1 : 0));
        m_calls.clear();
        return calls;
    }

    test::XTestClient m_client;
    std::unique_ptr<XGlobalHotKeys> m_pHotKeys;
    std::vector<int> m_calls;
};

TEST_F(XGlobalHotKeysTest, EachPressCallsTheHandlerOnceWhateverTheLockState) {
    ASSERT_TRUE(m_pHotKeys->Register(1, hot_key_mod::kControl | hot_key_mod::kShift, kVkK));
    Chord({XK_Control_L, XK_Shift_L}, XK_k);
    Chord({XK_Control_L, XK_Shift_L}, XK_k);
    Chord({XK_Control_L}, XK_k);  // a different combination
    EXPECT_EQ(Delivered(), (std::vector<int>{1, 1}));

    // A held key repeats its press (quickly here); the handler runs once.
    unsigned int delay = 0;
    unsigned int interval = 0;
    XkbGetAutoRepeatRate(m_client.Get(), XkbUseCoreKbd, &delay, &interval);
    XkbSetAutoRepeatRate(m_client.Get(), XkbUseCoreKbd, 20, 10);
    Key(XK_Control_L, true);
    Key(XK_Shift_L, true);
    Key(XK_k, true);
    XSync(m_client.Get(), False);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    Key(XK_k, false);
    XkbSetAutoRepeatRate(m_client.Get(), XkbUseCoreKbd, delay, interval);
    Key(XK_Shift_L, false);
    Key(XK_Control_L, false);
    EXPECT_EQ(Delivered(), (std::vector<int>{1}));

    Tap(XK_Caps_Lock);
    Tap(XK_Num_Lock);
    Chord({XK_Control_L, XK_Shift_L}, XK_k);
    Tap(XK_Caps_Lock);
    Tap(XK_Num_Lock);
    EXPECT_EQ(Delivered(), (std::vector<int>{1}));
}

TEST_F(XGlobalHotKeysTest, ReRegisteringAnIdReleasesItsOldCombination) {
    ASSERT_TRUE(m_pHotKeys->Register(1, hot_key_mod::kControl | hot_key_mod::kShift, kVkK));
    ASSERT_TRUE(m_pHotKeys->Register(1, hot_key_mod::kControl | hot_key_mod::kShift, kVkJ));
    Chord({XK_Control_L, XK_Shift_L}, XK_k);
    Chord({XK_Control_L, XK_Shift_L}, XK_j);
    EXPECT_EQ(Delivered(), (std::vector<int>{1}));
    m_pHotKeys->Unregister(1);
    Chord({XK_Control_L, XK_Shift_L}, XK_j);
    EXPECT_EQ(Delivered(), (std::vector<int>{}));
}

TEST_F(XGlobalHotKeysTest, CombinationsHeldElsewhereOrUnknownFailQuietly) {
    Display* other = m_client.Get();
    KeyCode j = XKeysymToKeycode(other, XK_j);
    XGrabKey(other, j, ControlMask | Mod1Mask, DefaultRootWindow(other), False, GrabModeAsync,
             GrabModeAsync);
    XSync(other, False);
    EXPECT_FALSE(m_pHotKeys->Register(2, hot_key_mod::kControl | hot_key_mod::kAlt, kVkJ));
    EXPECT_FALSE(m_pHotKeys->Register(3, hot_key_mod::kShift, kVkF9));  // held by the sentinel
    EXPECT_FALSE(m_pHotKeys->Register(4, 0, 0xFF));                     // no such key
    EXPECT_TRUE(m_pHotKeys->Register(5, hot_key_mod::kControl | hot_key_mod::kShift, kVkJ));
    XUngrabKey(other, j, ControlMask | Mod1Mask, DefaultRootWindow(other));
    XSync(other, False);
    // The failed registration left nothing grabbed: the combination is free now.
    EXPECT_TRUE(m_pHotKeys->Register(2, hot_key_mod::kControl | hot_key_mod::kAlt, kVkJ));
    Chord({XK_Control_L, XK_Alt_L}, XK_j);
    Chord({XK_Control_L, XK_Shift_L}, XK_j);
    EXPECT_EQ(Delivered(), (std::vector<int>{2, 5}));
}

}  // namespace
}  // namespace qrv
