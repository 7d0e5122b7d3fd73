#include <gtest/gtest.h>

#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <new>
#include <stdexcept>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "core/search/hot_key_modifiers.h"
#include "core/search/search_controller.h"
#include "core/search/system_clock.h"
#include "core/settings/main_window_fields.h"
#include "fakes/fake_platform.h"
#include "matcher_test_support.h"

namespace qrv {
namespace {

using Texts = std::vector<std::string>;

using test::Filled;

// Polls until the condition holds; false after a generous safety limit.
bool WaitFor(const std::function<bool()>& condition) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

// A sleep hook that holds the run's pause until the controller is stopped.
std::function<void(int)> PauseUntilStopped(SearchController& controller) {
    return [&controller](int) {
        for (int i = 0; i < 3000 && !controller.Stop().Requested(); ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    };
}

constexpr uint32_t kWhite = 0xFFFFFF;  // never on the fake screen, which reads black
constexpr uint32_t kBlack = 0;         // found at the area's corner at once
const std::string kFoundText = "Match Found in 0 Milli Second(s) at 50,100";

struct ControllerFixture : ::testing::Test {
    ControllerFixture() {
        picturePath = (std::filesystem::temp_directory_path() /
                       ("qrv-picture-" + std::to_string(::getpid()) + ".png"))
                          .string();
        std::ofstream(picturePath) << "png";
        p.codec.SetImage(picturePath, Filled(2, 2, kWhite));
        fields.m_iScreenAreaLeft = 50;
        fields.m_iScreenAreaTop = 100;
        fields.m_iScreenAreaWidth = 30;
        fields.m_iScreenAreaHeight = 20;
        fields.m_strPictureToFindFilePath = picturePath;
        fields.m_count = 1;
        controller = std::make_unique<SearchController>(p.view, fields, p.ControllerDeps());
    }
    ~ControllerFixture() override {
        controller.reset();
        std::filesystem::remove(picturePath);
    }

    // Starts a run with the given count and interval and waits for its end.
    void RunToEnd(int32_t count, int32_t interval, int runs = 1) {
        fields.m_count = count;
        fields.m_interval = interval;
        controller->ToggleSearch();
        ASSERT_TRUE(p.view.WaitForRunEnds(runs));
        p.view.DeliverPosted(*controller);
    }
    Texts Statuses() { return p.log.WithPrefix("status "); }

    FakePlatform p;
    MainWindowFields fields;
    std::string picturePath;
    std::unique_ptr<SearchController> controller;
};

TEST_F(ControllerFixture, CountedRunWithoutMatchCyclesThroughItsTexts) {
    RunToEnd(3, 1000);
    const std::string notFound = "Picture Not Found in Screen Search Area";
    EXPECT_EQ(Statuses(),
              (Texts{"1 Searching...", notFound, "1 Paused", "2 Searching...", notFound, "2 Paused",
                     "3 Searching...", notFound, "3 Paused", "3 Finished"}));
    EXPECT_EQ(p.log.Count("sleep 100"), 30);
    EXPECT_EQ(p.log.Count("progress"), 3);
    EXPECT_EQ(p.log.Count("finished"), 1);
    EXPECT_EQ(p.log.Count("taskbar-value 3/3"), 3);
    EXPECT_EQ(p.log.WithPrefix("button "), (Texts{"Stop", "Find"}));
    EXPECT_EQ(p.log.WithPrefix("icon "), (Texts{"searching", "normal"}));
    EXPECT_EQ(p.log.WithPrefix("taskbar-state ").back(), "0");
    EXPECT_FALSE(controller->IsSearching());
    EXPECT_EQ(controller->Attempts(), 0);
    EXPECT_EQ(controller->ProgressDone(), 0u);
}

TEST_F(ControllerFixture, FinalTextFollowsTheLastAttemptOnly) {
    p.codec.SetImage(picturePath, Filled(2, 2, kBlack));
    int captures = 0;
    p.screen.SetCaptureHook([&] {
        if (++captures == 1) {
            p.screen.SetScreen(Filled(400, 400, 0x808080), {0, 0});
        }
    });
    RunToEnd(3, 0);
    EXPECT_EQ(Statuses().back(), "3 Finished");
    EXPECT_EQ(Statuses()[1], kFoundText);
    EXPECT_EQ(p.log.WithPrefix("sleep ").size(), 0u);  // interval 0: no pause, no text
}

TEST_F(ControllerFixture, EndingTexts) {
    struct Case {
        uint32_t picture;
        bool abortAction;
        int32_t count, interval;
        Texts tail;
    } cases[] = {
        {kBlack, false, 2, 0, {"2 Searching...", kFoundText, "2 Found, Finished"}},
        {kBlack, true, 0, 1000, {kFoundText, "1 Paused", "1 Found, Aborted"}},
        {kWhite, false, -1, 1000, {"0 Finished"}},
        {kWhite, false, 1, 5, {"1 Paused", "1 Finished"}},
    };
    int runs = 0;
    for (const Case& c : cases) {
        p.log.Clear();
        p.codec.SetImage(picturePath, Filled(2, 2, c.picture));
        fields.m_bAbortSearch = c.abortAction;
        RunToEnd(c.count, c.interval, ++runs);
        const Texts statuses = Statuses();
        ASSERT_GE(statuses.size(), c.tail.size());
        EXPECT_EQ(Texts(statuses.end() - c.tail.size(), statuses.end()), c.tail) << c.count;
        EXPECT_EQ(p.log.Count("finished"), 1);
    }
    // The abort action ends even an unlimited run without pausing; interval 5
    // sleeps ten times 0 ms; a negative count makes no attempt.
    EXPECT_EQ(p.log.Count("sleep 0"), 10);
}

TEST_F(ControllerFixture, StopDuringAPauseEndsItAtTheNextSlice) {
    p.clock.SetSleepHook([this](int sleeps) {
        if (sleeps == 13) {
            controller->Stop().Request();
        }
    });
    RunToEnd(0, 1000);
    EXPECT_EQ(p.log.Count("sleep 100"), 13);
    const Texts statuses = Statuses();
    EXPECT_EQ(Texts(statuses.end() - 2, statuses.end()), (Texts{"2 Paused", "2 Aborted"}));
}

TEST_F(ControllerFixture, FindWhileRunningOnlyStopsTheRun) {
    fields.m_count = 0;
    fields.m_interval = 0;
    controller->OnFindButton();
    EXPECT_TRUE(controller->IsSearching());
    controller->OnFindButton();
    controller->ToggleSearch();  // the hot key while running: stop, button from the icon
    ASSERT_TRUE(p.view.WaitForRunEnds(1));
    EXPECT_EQ(p.log.WithPrefix("button "), (Texts{"Stop", "Stop"}));
    p.view.DeliverPosted(*controller);
    const Texts statuses = Statuses();
    EXPECT_EQ(statuses.back(), std::to_string(p.log.Count("progress")) + " Aborted");
    EXPECT_EQ(p.log.WithPrefix("button ").back(), "Find");
}

// Closing while idle may close at once; during a run the worker ends the dialog.
TEST_F(ControllerFixture, CloseDuringARunEndsTheDialogInstead) {
    EXPECT_TRUE(controller->RequestClose());
    EXPECT_TRUE(controller->Stop().Requested() && controller->Stop().Closing());
    fields.m_count = 0;
    controller->ToggleSearch();
    EXPECT_FALSE(controller->RequestClose());
    ASSERT_TRUE(p.view.WaitForRunEnds(1));
    EXPECT_EQ(p.log.Count("end 1"), 1);
    EXPECT_EQ(p.log.Count("finished"), 0);
    for (const std::string& text : Statuses()) {
        EXPECT_EQ(text.find("Aborted"), std::string::npos);
    }
}

// Each controller owns its runs' stop state: stopping one window's run leaves
// another window's run going.
TEST_F(ControllerFixture, StoppingOneControllerLeavesAnothersRunAlone) {
    FakePlatform other;
    other.codec.SetImage(picturePath, Filled(2, 2, kWhite));
    fields.m_count = 0;
    fields.m_interval = 1000;
    MainWindowFields otherFields = fields;
    SearchController second(other.view, otherFields, other.ControllerDeps());
    p.clock.SetSleepHook(PauseUntilStopped(*controller));
    other.clock.SetSleepHook(PauseUntilStopped(second));
    controller->ToggleSearch();
    second.ToggleSearch();
    controller->OnFindButton();
    ASSERT_TRUE(p.view.WaitForRunEnds(1));
    EXPECT_FALSE(second.Stop().Requested());
    EXPECT_TRUE(second.IsSearching());
    second.OnFindButton();
    ASSERT_TRUE(other.view.WaitForRunEnds(1));
    EXPECT_EQ(other.log.Count("finished"), 1);
}

TEST_F(ControllerFixture, DestroyingTheControllerStopsAndJoinsTheWorker) {
    fields.m_count = 0;
    controller->ToggleSearch();
    controller.reset();
    EXPECT_EQ(p.log.Count("finished") + p.log.Count("end 1"), 0);
}

TEST_F(ControllerFixture, RefusesToStartWithoutAreaOrUsablePicture) {
    const std::string noArea = "message info Please Capture Screen Search Area and then try again.";
    const std::string noPicture =
        "message info Please Capture / Select Picture to Find and then try Again.";
    const std::string tooLarge =
        "message info The Screen Search Area of 100000 x 100000 pixels is larger than the screen "
        "(1920 x 1080). Please Capture Screen Search Area and then try again.";
    const std::string pastTheEnd =
        "message info The Screen Search Area at 2147483000,100 reaches beyond the screen "
        "coordinates. Please Capture Screen Search Area and then try again.";
    // The area is 30 x 20: a picture that does not fit is refused with a word.
    const auto tooLargePicture = [](int width, int height) {
        return "message info The Picture to Find (" + std::to_string(width) + " x " +
               std::to_string(height) +
               ") is larger than the Screen Search Area (30 x 20), so it can never be found "
               "there.\n\nCapture a larger Screen Search Area or a smaller Picture and then try "
               "again.";
    };
    const std::string wider = tooLargePicture(31, 20), taller = tooLargePicture(30, 21);
    const std::tuple<const char*, const std::string&, std::function<void()>> cases[] = {
        {"no width", noArea, [&] { fields.m_iScreenAreaWidth = 0; }},
        {"no height", noArea, [&] { fields.m_iScreenAreaHeight = 0; }},
        {"missing file", noPicture, [&] { fields.m_strPictureToFindFilePath += ".gone"; }},
        {"empty picture", noPicture, [&] { p.codec.SetImage(picturePath, PixelImage()); }},
        {"24-bit picture", noPicture,
         [&] { p.codec.SetImage(picturePath, Filled(2, 2, kWhite), 24); }},
        {"undecodable", noPicture, [&] { p.codec.SetFailure(picturePath, kStatusFail); }},
        {"area larger than the screen", tooLarge,
         [&] { fields.m_iScreenAreaWidth = fields.m_iScreenAreaHeight = 100000; }},
        {"area past the last coordinate", pastTheEnd,
         [&] { fields.m_iScreenAreaLeft = 2147483000, fields.m_iScreenAreaWidth = 1000; }},
        {"picture wider than the area", wider,
         [&] { p.codec.SetImage(picturePath, Filled(31, 20, kWhite)); }},
        {"picture taller than the area", taller,
         [&] { p.codec.SetImage(picturePath, Filled(30, 21, kWhite)); }},
    };
    for (const auto& [name, message, setUp] : cases) {
        MainWindowFields saved = fields;
        setUp();
        p.log.Clear();
        controller->ToggleSearch();
        EXPECT_FALSE(controller->IsSearching()) << name;
        EXPECT_EQ(p.log.Count(message), 1) << name;
        EXPECT_EQ(p.log.WithPrefix("capture ").size(), 0u) << name;
        const Texts buttons = p.log.WithPrefix("button "), icons = p.log.WithPrefix("icon ");
        EXPECT_TRUE(buttons.empty() || buttons.back() == "Find") << name;
        EXPECT_TRUE(icons.empty() || icons.back() == "normal") << name;
        EXPECT_EQ(icons.empty(), buttons.empty()) << name;
        fields = saved;
        p.codec.SetImage(picturePath, Filled(2, 2, kWhite));
    }
    // A picture exactly the area's size is searched.
    p.codec.SetImage(picturePath, Filled(30, 20, kWhite));
    p.log.Clear();
    RunToEnd(1, 0);
    EXPECT_EQ(p.log.WithPrefix("capture ").size(), 1u);
    EXPECT_EQ(p.log.WithPrefix("message ").size(), 0u);
}

// Running out of memory in an attempt ends the run with a status line; the
// exception never reaches the thread's end.
TEST_F(ControllerFixture, AllocationFailureEndsTheRunWithAStatusLine) {
    const std::function<void()> throwers[] = {[] { throw std::bad_alloc(); },
                                              [] { throw std::length_error("vector"); }};
    int runs = 0;
    for (const auto& thrower : throwers) {
        p.log.Clear();
        p.screen.SetCaptureHook(thrower);
        RunToEnd(0, 1000, ++runs);
        EXPECT_EQ(Statuses(),
                  (Texts{"1 Searching...", "Not Enough Memory to Search the Screen Search Area",
                         "1 Aborted"}));
        EXPECT_EQ(p.log.Count("finished"), 1);
        EXPECT_FALSE(controller->IsSearching());
    }
}

// A capture that gets no frame of an area on a monitor ends the run as an
// error, with one message, whatever the run would have done: it is never "not
// found", never a match (a black picture would match the zeroed image), and
// leaves nothing for the observer or to explain. An area off every monitor
// still reads black.
TEST_F(ControllerFixture, NoScreenFrameEndsTheRunAsAnError) {
    struct Observer : AttemptObserver {
        void AttemptDone(const MatchInputs&, bool, Point, uint64_t) override { ++attempts; }
        std::atomic<int> attempts{0};
    };
    const std::string noFrame = SearchAttempt::kNoFrameText;
    struct Case {
        const char* what;
        uint32_t picture;
        int32_t left, count;
        Texts statuses;
        bool error;
    } cases[] = {
        {"one attempt", kWhite, 50, 1, {"1 Searching...", noFrame, "1 Aborted"}, true},
        {"endless, black picture", kBlack, 50, 0, {"1 Searching...", noFrame, "1 Aborted"}, true},
        {"off every monitor",
         kBlack,
         5000,
         1,
         {"1 Searching...", "Match Found in 0 Milli Second(s) at 5000,100", "1 Found, Finished"},
         false},
    };
    Observer observer;
    controller->SetAttemptObserver(&observer);
    p.screen.SetFailing(true);
    int runs = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        p.log.Clear();
        observer.attempts = 0;
        p.codec.SetImage(picturePath, Filled(2, 2, c.picture));
        fields.m_iScreenAreaLeft = c.left;
        RunToEnd(c.count, 0, ++runs);
        EXPECT_EQ(Statuses(), c.statuses);
        EXPECT_EQ(p.log.WithPrefix("message ").size(), c.error ? 1u : 0u);
        EXPECT_EQ(p.log.Count("message error " + noFrame), c.error ? 1 : 0);
        EXPECT_EQ(controller->LastRunGotNoFrame(), c.error);
        EXPECT_EQ(controller->LastAttemptFound(), !c.error);
        EXPECT_EQ(observer.attempts, c.error ? 0 : 1);
        EXPECT_EQ(controller->ExplainLastAttempt().has_value(), !c.error);
    }
}

// Stopping wakes a pause at once, however long its slices: with the real clock
// a slice of this interval would last more than a minute.
TEST_F(ControllerFixture, StopWakesALongPauseAtOnce) {
    SystemClock clock;
    SearchAttemptDeps attempt{p.screen,    p.input, p.layout,    clock,    p.speaker,
                              &p.elements, p.shell, p.activator, p.beeper, p.profile};
    controller = std::make_unique<SearchController>(
        p.view, fields, SearchControllerDeps{attempt, p.codec, nullptr, nullptr});
    fields.m_count = 0;
    fields.m_interval = 700000;
    controller->ToggleSearch();
    ASSERT_TRUE(WaitFor([&] { return p.log.Count("status 1 Paused") == 1; }));
    controller->OnFindButton();
    ASSERT_TRUE(WaitFor([&] { return p.log.Count("finished") == 1; }));
    EXPECT_EQ(Statuses().back(), "1 Aborted");
}

TEST_F(ControllerFixture, InvalidEntryStopsSilently) {
    p.view.transferSucceeds = false;
    controller->ToggleSearch();
    EXPECT_EQ(p.log.Entries(), (Texts{"transfer"}));
}

TEST_F(ControllerFixture, RunUsesTheTrimmedTextAndTheSpeechSetting) {
    p.codec.SetImage(picturePath, Filled(2, 2, kBlack));
    fields.m_bSpeakText = true;
    fields.m_strTextToSpeak = " \tready\n ";
    p.store.WriteInt("Instance 2", "SpeakTextAsync", 0);
    RunToEnd(1, 0);
    EXPECT_EQ(p.log.Count("speak-sync ready"), 1);
    EXPECT_EQ(fields.m_strTextToSpeak, "ready");
}

// The user starts a run after the worker ended but before its finish notice
// was delivered: the new run counts from one and keeps its Stop button.
TEST_F(ControllerFixture, ARunStartedBeforeTheLastFinishIsDeliveredRunsInFull) {
    const std::string notFound = "Picture Not Found in Screen Search Area";
    struct Case {
        int32_t count;
        Texts statuses;
    } cases[] = {{1, {"1 Searching...", notFound, "1 Finished"}},
                 {2, {"1 Searching...", notFound, "2 Searching...", notFound, "2 Finished"}}};
    int runs = 0;
    for (const Case& c : cases) {
        fields.m_count = 1;
        fields.m_interval = 0;
        controller->ToggleSearch();
        ASSERT_TRUE(p.view.WaitForRunEnds(++runs));
        p.log.Clear();
        RunToEnd(c.count, 0, ++runs);
        EXPECT_EQ(Statuses(), c.statuses) << c.count;
        EXPECT_EQ(p.log.WithPrefix("button ").back(), "Find") << c.count;
    }
    // A late notice arriving while the next run is active leaves that run alone.
    fields.m_count = 1;
    controller->ToggleSearch();
    ASSERT_TRUE(p.view.WaitForRunEnds(++runs));
    fields.m_count = 0;
    fields.m_interval = 1000;
    p.clock.SetSleepHook(PauseUntilStopped(*controller));
    controller->ToggleSearch();
    p.view.DeliverPosted(*controller);
    EXPECT_TRUE(controller->IsSearching());
    EXPECT_EQ(p.log.WithPrefix("button ").back(), "Stop");
    EXPECT_EQ(p.log.WithPrefix("icon ").back(), "searching");
    controller->OnFindButton();
    ASSERT_TRUE(p.view.WaitForRunEnds(++runs));
    p.view.DeliverPosted(*controller);
    EXPECT_EQ(p.log.WithPrefix("button ").back(), "Find");
    EXPECT_EQ(controller->Attempts(), 0);
}

TEST(HotKeyModifiersTest, ConvertsBetweenStoredAndControlFlags) {
    struct Case {
        uint32_t stored, control;
    } cases[] = {{0, 0}, {1, 4},         {2, 2},         {4, 1},
                 {8, 8}, {1 | 4, 4 | 1}, {2 | 8, 2 | 8}, {1 | 2 | 4 | 8, 15}};
    for (const Case& c : cases) {
        EXPECT_EQ(StoredToControlModifiers(c.stored), c.control) << c.stored;
    }
    for (uint32_t flags = 0; flags < 16; ++flags) {  // and back, for every combination
        EXPECT_EQ(ControlToStoredModifiers(StoredToControlModifiers(flags)), flags);
    }
    EXPECT_EQ(StoredToControlModifiers(0x4000 | 2), 2u);
}

TEST_F(ControllerFixture, StoredHotKeyIsRegisteredAndShown) {
    p.store.WriteInt("Instance 2", "Start Key", 0x41);
    p.store.WriteInt("Instance 2", "Start Mod", 1 | 2);
    controller->RegisterStartHotKey();
    EXPECT_EQ(p.log.Entries(),
              (Texts{"hotkey-unregister 1", "hotkey-register 1 3 65", "hotkey-control 65 6"}));
    p.hotKeys.SetHandler(1, [this](int id) { controller->OnHotKey(id); });
    p.hotKeys.Press(1);
    EXPECT_TRUE(p.view.WaitForRunEnds(1));
    EXPECT_EQ(Statuses().front(), "1 Searching...");
}

// The key is stored before the modifiers; a failed key write stores and grabs nothing.
TEST_F(ControllerFixture, AssignStoresTheKeyThenTheModifiers) {
    p.view.TypeHotKey({0x70, hot_key_control::kShift | hot_key_control::kControl});
    controller->AssignStartHotKey();
    EXPECT_EQ(p.store.GetInt("Instance 2", "Start Key", -1), 0x70);
    EXPECT_EQ(p.store.GetInt("Instance 2", "Start Mod", -1), 4 | 2);
    EXPECT_TRUE(p.hotKeys.IsRegistered(SearchController::kStartHotKeyId));

    controller->ClearStartHotKey();
    EXPECT_EQ(p.store.GetInt("Instance 2", "Start Key", -1), 0);
    EXPECT_EQ(p.store.GetInt("Instance 2", "Start Mod", -1), 0);
    EXPECT_FALSE(p.hotKeys.IsRegistered(SearchController::kStartHotKeyId));

    p.store.FailWritesOf("Start Key");
    p.view.TypeHotKey({0x70, hot_key_control::kAlt});
    controller->AssignStartHotKey();
    EXPECT_EQ(p.store.GetInt("Instance 2", "Start Mod", -1), 0);
    EXPECT_FALSE(p.hotKeys.IsRegistered(SearchController::kStartHotKeyId));
}

}  // namespace
}  // namespace qrv
