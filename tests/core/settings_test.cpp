#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "core/settings/main_window_fields.h"
#include "core/settings/memory_profile_store.h"
#include "core/settings/profile.h"
#include "core/settings/temp_images_folder.h"
#include "fakes/fake_top_level_windows.h"

namespace qrv {
namespace {

TopLevelWindow Window(std::string title, bool enabled = true, bool visible = true,
                      bool maximized = false) {
    return {
        .title = std::move(title), .enabled = enabled, .visible = visible, .maximized = maximized};
}

struct ProfileFixture : ::testing::Test {
    MemoryProfileStore store;
    FakeTopLevelWindows windows;
    Profile profile{store, windows};
};

// Numbers other running instances have claimed.
struct FakeNumbering : InstanceNumbering {
    std::set<int32_t> claimed;
    int32_t Claim(int32_t lowest) override {
        while (claimed.count(lowest))
            ++lowest;
        claimed.insert(lowest);
        return lowest;
    }
};

// The windows counted give the lowest number; where the desktop claims
// numbers, one claimed by another instance (a sibling still starting, a
// maximised window) is skipped.
TEST(ProfileTest, InstanceNumberCountsShownRestoredWindowsWithTheExactTitle) {
    const std::string app(kAppName);
    struct Case {
        std::vector<TopLevelWindow> windows;
        int32_t number;
        std::optional<std::set<int32_t>> claimed = std::nullopt;  // none: no numbering
    } cases[] = {
        {{}, 1},
        {{Window(app)}, 2},
        {{Window(app), Window(app)}, 3},
        {{Window(app, true, true, true)}, 1},  // maximised
        {{Window(app, true, false)}, 1},       // hidden
        {{Window(app, false)}, 1},             // disabled
        {{Window(app + " ")}, 1},              // not exactly the title
        {{Window("quorvane by tolbrin")}, 1},  // case matters
        {{Window("Editor"), Window(app)}, 2},
        {{}, 1, std::set<int32_t>{}},
        {{}, 2, std::set<int32_t>{1}},
        {{Window(app)}, 4, std::set<int32_t>{1, 2, 3, 5}},
        {{Window(app)}, 2, std::set<int32_t>{1, 3}},
    };
    for (const Case& c : cases) {
        FakeTopLevelWindows windows;
        windows.windows = c.windows;
        MemoryProfileStore store;
        FakeNumbering numbering;
        numbering.claimed = c.claimed.value_or(std::set<int32_t>{});
        Profile profile(store, windows, c.claimed ? &numbering : nullptr);
        EXPECT_EQ(profile.InstanceNumber(), c.number);
        EXPECT_EQ(profile.GetInstanceSection(), "Instance " + std::to_string(c.number + 1));
        // Computed once: a closing instance does not move this one.
        windows.windows.clear();
        profile.GetInstanceInt("Count", 1);
        EXPECT_EQ(profile.InstanceNumber(), c.number);
        EXPECT_EQ(windows.enumerations, 1);
        EXPECT_EQ(numbering.claimed.size(), c.claimed ? c.claimed->size() + 1 : 0);
    }
}

TEST_F(ProfileFixture, InstancesKeepSeparateSectionsShareSettingsAndDefaultStrings) {
    FakeTopLevelWindows firstShowing;
    firstShowing.windows = {Window(std::string(kAppName))};
    Profile second(store, firstShowing);

    EXPECT_TRUE(profile.Write(keys::kCount, 5));
    EXPECT_TRUE(second.Write(keys::kCount, 7));
    EXPECT_EQ(store.GetInt("Instance 2", "Count", 0), 5);
    EXPECT_EQ(store.GetInt("Instance 3", "Count", 0), 7);

    EXPECT_TRUE(profile.Write(keys::kStartingPointX, -300));
    EXPECT_EQ(second.Get(keys::kStartingPointX), -300);
    EXPECT_TRUE(store.Contains("Settings", "m_oStartingPoint.x"));
    EXPECT_TRUE(second.Write(IntSetting{Section::ControlList, "Column0", 0}, 90));
    EXPECT_EQ(store.GetInt("ControlList", "Column0", 0), 90);

    // String settings use their own default or an explicit one.
    EXPECT_EQ(profile.Get(keys::kVerb), "Open");
    EXPECT_EQ(profile.Get(keys::kTempImagesFolder, "/tmp/x"), "/tmp/x");
    EXPECT_TRUE(profile.WriteInstanceString("Verb", "Execute"));
    EXPECT_EQ(profile.Get(keys::kVerb), "Execute");
    EXPECT_EQ(profile.GetInstanceString("Verb", ""), "Execute");
}

// The stored fields: all but the element, which is never stored.
auto StoredFields(const MainWindowFields& f) {
    return std::tie(
        f.m_iScreenAreaLeft, f.m_iScreenAreaTop, f.m_iScreenAreaWidth, f.m_iScreenAreaHeight,
        f.m_iDeviationRed, f.m_iDeviationGreen, f.m_iDeviationBlue, f.m_dwTimeDelay1,
        f.m_bClickAnotherTime, f.m_bClickElement, f.m_bDoNotUseValueToSearchElement,
        f.m_strScriptToExecute, f.m_strVerb, f.m_bExecuteScript, f.m_strPictureToFindFilePath,
        f.m_bCursorBack, f.m_bClickOnPicture, f.m_strTextToSpeak, f.m_bSpeakText, f.m_bAbortSearch,
        f.m_bMakeActiveWindow, f.m_bMoveMouseToCenterOfPicture, f.m_interval, f.m_count);
}

TEST_F(ProfileFixture, LoadGivesTheFirstRunSetUpAndEveryStoredFieldButNotTheElement) {
    MainWindowFields f;
    f.m_count = 99;
    f.Load(profile);
    EXPECT_EQ(std::tie(f.m_iScreenAreaWidth, f.m_iScreenAreaHeight, f.m_iDeviationRed,
                       f.m_iDeviationGreen, f.m_iDeviationBlue),
              std::make_tuple(0, 0, 0, 0, 0));
    EXPECT_EQ(f.m_count, 1);
    EXPECT_EQ(f.m_interval, 1000);
    EXPECT_TRUE(f.m_bCursorBack && f.m_bClickOnPicture && f.m_bSpeakText &&
                f.m_bMoveMouseToCenterOfPicture);
    EXPECT_FALSE(f.m_bExecuteScript || f.m_bAbortSearch || f.m_bMakeActiveWindow);
    EXPECT_EQ(f.m_strTextToSpeak, "Picture Found in Screen Search Area");
    EXPECT_EQ(f.m_strVerb, "Open");

    MainWindowFields saved;
    saved.m_iScreenAreaLeft = -1280;
    saved.m_iScreenAreaTop = -5;
    saved.m_iScreenAreaWidth = 300;
    saved.m_iScreenAreaHeight = 200;
    saved.m_iDeviationRed = 300;  // kept as typed
    saved.m_iDeviationGreen = 2;
    saved.m_iDeviationBlue = 3;
    saved.m_dwTimeDelay1 = 4000000000u;
    saved.m_bClickAnotherTime = saved.m_bClickElement = true;
    saved.m_bDoNotUseValueToSearchElement = saved.m_bExecuteScript = true;
    saved.m_strScriptToExecute = "/usr/bin/true";
    saved.m_strVerb = "Execute";
    saved.m_strPictureToFindFilePath = "/tmp/p.png";
    saved.m_strTextToSpeak = "hello";
    saved.m_bAbortSearch = saved.m_bMakeActiveWindow = true;
    saved.m_interval = 0;
    saved.m_count = -2;
    saved.m_strElementName = "OK";
    saved.Save(profile);

    MainWindowFields loaded;
    loaded.Load(profile);
    EXPECT_EQ(StoredFields(loaded), StoredFields(saved));
    EXPECT_EQ(loaded.m_strElementName, "");
}

// The folder is made where it is missing; where it cannot be, its path is
// still given.
TEST(TempImagesFolderTest, JoinsCollapsesAndCreates) {
    const std::filesystem::path base =
        std::filesystem::temp_directory_path() / ("qrv-temp-" + std::to_string(::getpid()));
    std::filesystem::remove_all(base);
    const std::string expected = base.string() + "/Quorvane-by-Tolbrin";
    EXPECT_EQ(GetTempImagesFolder(base.string()), expected);
    EXPECT_TRUE(std::filesystem::is_directory(expected));
    EXPECT_EQ(GetTempImagesFolder(base.string() + "/"), expected);  // already there
    const std::string file = expected + "/file";
    { std::ofstream(file) << "x"; }
    EXPECT_EQ(GetTempImagesFolder(file), file + "/Quorvane-by-Tolbrin");
    EXPECT_FALSE(std::filesystem::exists(file + "/Quorvane-by-Tolbrin"));
    std::filesystem::remove_all(base);
}

}  // namespace
}  // namespace qrv
