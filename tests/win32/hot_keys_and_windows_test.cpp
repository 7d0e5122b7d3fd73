#include <gtest/gtest.h>

#include <string>

#include "core/settings/memory_profile_store.h"
#include "core/settings/profile.h"
#include "core/settings/setting_keys.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_global_hot_keys.h"
#include "platform/win32/win32_top_level_windows.h"
#include "test_window.h"

namespace qrv::win32 {
namespace {

void PressKeys(std::initializer_list<WORD> keys) {
    std::vector<INPUT> inputs;
    for (WORD key : keys) {
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = key;
        inputs.push_back(in);
    }
    for (auto key = keys.end(); key != keys.begin();) {
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = *--key;
        in.ki.dwFlags = KEYEVENTF_KEYUP;
        inputs.push_back(in);
    }
    SendInput(UINT(inputs.size()), inputs.data(), sizeof(INPUT));
}

TEST(Win32GlobalHotKeysTest, PressReachesTheHandlerUntilUnregistered) {
    Win32GlobalHotKeys hotKeys;
    ASSERT_TRUE(hotKeys.Connected());
    std::vector<int> pressed;
    hotKeys.SetHandler(1, [&](int id) { pressed.push_back(id); });
    hotKeys.SetHandler(2, [&](int) { pressed.push_back(-2); });
    ASSERT_TRUE(hotKeys.Register(1, hot_key_mod::kControl | hot_key_mod::kAlt, VK_F9));

    // The combination is taken: another client cannot have it.
    Win32GlobalHotKeys other;
    EXPECT_FALSE(other.Register(1, hot_key_mod::kControl | hot_key_mod::kAlt, VK_F9));
    EXPECT_FALSE(hotKeys.Register(2, 0, 0));

    PressKeys({VK_CONTROL, VK_MENU, VK_F9});
    ASSERT_TRUE(PumpUntil([&] { return !pressed.empty(); }));
    EXPECT_EQ(pressed, std::vector<int>{1});

    // Re-registering the id moves it to the new key.
    ASSERT_TRUE(hotKeys.Register(1, 0, VK_F8));
    EXPECT_TRUE(other.Register(7, hot_key_mod::kControl | hot_key_mod::kAlt, VK_F9));
    PressKeys({VK_F8});
    ASSERT_TRUE(PumpUntil([&] { return pressed.size() == 2; }));
    EXPECT_EQ(pressed.back(), 1);

    hotKeys.Unregister(1);
    EXPECT_TRUE(other.Register(8, 0, VK_F8));
}

// Only a visible, enabled, not maximised window with exactly the program's
// title advances the instance number, as the enumeration reports it.
TEST(Win32TopLevelWindowsTest, InstanceNumberCountsShownWindowsWithTheTitle) {
    const std::wstring title = Widen(kAppName);
    struct Case {
        const char* name;
        std::wstring title;
        int show;
        bool enabled;
        const char* section;
    } cases[] = {
        {"shown", title, SW_SHOWNOACTIVATE, true, "Instance 3"},
        {"hidden", title, SW_HIDE, true, "Instance 2"},
        {"maximised", title, SW_SHOWMAXIMIZED, true, "Instance 2"},
        {"disabled", title, SW_SHOWNOACTIVATE, false, "Instance 2"},
        {"other case", L"quorvane by tolbrin", SW_SHOWNOACTIVATE, true, "Instance 2"},
    };
    Win32TopLevelWindows windows;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestWindow window(RECT{40, 40, 140, 90}, RGB(1, 2, 3), c.title);
        ShowWindow(window.Handle(), c.show);
        EnableWindow(window.Handle(), c.enabled);
        PumpUntil([] { return false; }, 100);
        bool listed = false;
        for (const TopLevelWindow& w : windows.Enumerate()) {
            if (w.id == WindowId(reinterpret_cast<uintptr_t>(window.Handle()))) {
                listed = true;
                EXPECT_EQ(Widen(w.title), c.title);
                EXPECT_EQ(w.visible, c.show != SW_HIDE);
                EXPECT_EQ(w.maximized, c.show == SW_SHOWMAXIMIZED);
                EXPECT_EQ(w.enabled, c.enabled);
                EXPECT_EQ(w.processId, int64_t(GetCurrentProcessId()));
            }
        }
        EXPECT_TRUE(listed);
        MemoryProfileStore store;
        Profile profile(store, windows);
        EXPECT_EQ(profile.GetInstanceSection(), c.section);
    }
}

TEST(Win32WideTextTest, RoundTripsEveryPlaneAndReplacesBrokenInput) {
    for (const char* text : {"", "Quorvane by Tolbrin", "caf\xC3\xA9", "\xE5\x9B\xBE",
                             "\xF0\x9F\x98\x80 smile", "a\nb\tc"}) {
        EXPECT_EQ(Narrow(Widen(text)), text);
    }
    EXPECT_EQ(Widen("\xF0\x9F\x98\x80"), std::wstring(L"\xD83D\xDE00"));
    EXPECT_EQ(Widen("a\xFF"), std::wstring(L"a\xFFFD"));
}

}  // namespace
}  // namespace qrv::win32
