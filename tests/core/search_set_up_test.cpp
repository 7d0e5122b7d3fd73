#include <gtest/gtest.h>

#include <utility>

#include "core/search/search_set_up.h"
#include "core/settings/memory_profile_store.h"
#include "core/settings/profile.h"
#include "core/settings/setting_keys.h"
#include "fakes/fake_top_level_windows.h"

namespace qrv {
namespace {

TEST(SearchSetUpTest, TheTextToSpeakIsTrimmedOfWhiteSpace) {
    struct Case {
        const char* field;
        const char* spoken;
    } cases[] = {{" \tready\n ", "ready"},     {"\v\f\r", ""}, {"", ""},
                 {"two  words", "two  words"}, {" x", "x"},    {"x\n", "x"}};
    MemoryProfileStore store;
    FakeTopLevelWindows windows;
    Profile profile(store, windows);
    for (const Case& c : cases) {
        MainWindowFields f;
        f.m_strTextToSpeak = c.field;
        EXPECT_EQ(SearchSetUp(f, profile).m_strTextToSpeak, c.spoken) << c.field;
    }
}

// The window's fields come over whole; the settings' switches are read one by
// one, and each must land in its own parameter.
TEST(SearchSetUpTest, EachSettingsSwitchReachesItsOwnParameter) {
    const std::pair<const IntSetting*, bool SearchParams::*> switches[] = {
        {&keys::kSpeakTextAsync, &SearchParams::m_bSpeakTextAsync},
        {&keys::kMoveCursorWithSearch, &SearchParams::m_bMoveCursorWithSearch},
        {&keys::kMaskTransparent, &SearchParams::m_maskTransparent}};
    for (const auto& turnedOn : switches) {
        const IntSetting* on = turnedOn.first;
        MemoryProfileStore store;
        FakeTopLevelWindows windows;
        Profile profile(store, windows);
        for (const auto& [key, param] : switches) {
            profile.Write(*key, key == on ? 1 : 0);
        }
        const SearchParams p = SearchSetUp(MainWindowFields{}, profile);
        for (const auto& [key, param] : switches) {
            EXPECT_EQ(p.*param, key == on) << on->key << " on, " << key->key;
        }
    }
}

}  // namespace
}  // namespace qrv
