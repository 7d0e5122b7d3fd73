#include <gtest/gtest.h>

#include <string>

#include "core/search/search_set_up.h"
#include "core/settings/memory_profile_store.h"
#include "core/settings/profile.h"
#include "core/settings/setting_keys.h"
#include "fakes/fake_top_level_windows.h"

namespace qrv {
namespace {

// Each switch gets its own 4-bit code, seen over four set-ups: a switch that
// lands in another's parameter shows up as a mismatch in at least one of them.
constexpr int kPatterns = 4;
bool Bit(int code, int pattern) {
    return (code >> pattern & 1) != 0;
}

MainWindowFields Fields(int pattern) {
    MainWindowFields f;
    f.m_iScreenAreaLeft = -7;
    f.m_iScreenAreaTop = 11;
    f.m_iScreenAreaWidth = 300;
    f.m_iScreenAreaHeight = 200;
    f.m_iDeviationRed = 1;
    f.m_iDeviationGreen = 2;
    f.m_iDeviationBlue = 3;
    f.m_dwTimeDelay1 = 4500;
    f.m_strScriptToExecute = "/opt/run.sh";
    f.m_strVerb = "Edit";
    f.m_strPictureToFindFilePath = "/tmp/p.png";
    f.m_strTextToSpeak = "hello";
    f.m_interval = 900;
    f.m_count = 5;
    f.m_strElementWindowName = "Win";
    f.m_strElementName = "OK";
    f.m_strElementValue = "v";
    f.m_bClickAnotherTime = Bit(1, pattern);
    f.m_bClickElement = Bit(2, pattern);
    f.m_bDoNotUseValueToSearchElement = Bit(3, pattern);
    f.m_bExecuteScript = Bit(4, pattern);
    f.m_bCursorBack = Bit(5, pattern);
    f.m_bClickOnPicture = Bit(6, pattern);
    f.m_bSpeakText = Bit(7, pattern);
    f.m_bAbortSearch = Bit(8, pattern);
    f.m_bMakeActiveWindow = Bit(9, pattern);
    f.m_bMoveMouseToCenterOfPicture = Bit(10, pattern);
    return f;
}

TEST(SearchSetUpTest, EveryFieldTheRunUsesReachesItsParameter) {
    for (int pattern = 0; pattern < kPatterns; ++pattern) {
        MemoryProfileStore store;
        FakeTopLevelWindows windows;
        Profile profile(store, windows);
        profile.Write(keys::kSpeakTextAsync, Bit(11, pattern) ? 1 : 0);
        profile.Write(keys::kMoveCursorWithSearch, Bit(12, pattern) ? 1 : 0);
        profile.Write(keys::kMaskTransparent, Bit(13, pattern) ? 1 : 0);
        const MainWindowFields f = Fields(pattern);
        const SearchParams p = SearchSetUp(f, profile);

        EXPECT_EQ(p.m_iScreenAreaLeft, -7);
        EXPECT_EQ(p.m_iScreenAreaTop, 11);
        EXPECT_EQ(p.m_iScreenAreaWidth, 300);
        EXPECT_EQ(p.m_iScreenAreaHeight, 200);
        EXPECT_EQ(p.m_iDeviationRed, 1);
        EXPECT_EQ(p.m_iDeviationGreen, 2);
        EXPECT_EQ(p.m_iDeviationBlue, 3);
        EXPECT_EQ(p.m_dwTimeDelay1, 4500u);
        EXPECT_EQ(p.m_strScriptToExecute, "/opt/run.sh");
        EXPECT_EQ(p.m_strVerb, "Edit");
        EXPECT_EQ(p.m_strPictureToFindFilePath, "/tmp/p.png");
        EXPECT_EQ(p.m_strTextToSpeak, "hello");
        EXPECT_EQ(p.m_strElementWindowName, "Win");
        EXPECT_EQ(p.m_strElementName, "OK");
        EXPECT_EQ(p.m_strElementValue, "v");
        const bool switches[] = {p.m_bClickAnotherTime,
                                 p.m_bClickElement,
                                 p.m_bDoNotUseValueToSearchElement,
                                 p.m_bExecuteScript,
                                 p.m_bCursorBack,
                                 p.m_bClickOnPicture,
                                 p.m_bSpeakText,
                                 p.m_bAbortSearch,
                                 p.m_bMakeActiveWindow,
                                 p.m_bMoveMouseToCenterOfPicture,
                                 p.m_bSpeakTextAsync,
                                 p.m_bMoveCursorWithSearch,
                                 p.m_maskTransparent};
        for (int code = 1; code <= 13; ++code) {
            EXPECT_EQ(switches[code - 1], Bit(code, pattern)) << "switch " << code;
        }
        // Nothing of a previous run or of the picture comes from the fields.
        EXPECT_EQ(p.m_iFoundState, 0);
        EXPECT_TRUE(p.m_oPictureImage.Empty());
        EXPECT_EQ(p.m_pMainWnd, WindowId(0));
    }
}

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
