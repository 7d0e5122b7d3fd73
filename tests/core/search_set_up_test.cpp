#include <gtest/gtest.h>

#include <string>

#include "core/search/search_set_up.h"
#include "core/settings/memory_profile_store.h"
#include "core/settings/profile.h"
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

}  // namespace
}  // namespace qrv
