#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/base/run_stop.h"
#include "core/search/search_attempt.h"
#include "fakes/fake_platform.h"
#include "matcher_test_support.h"

namespace qrv {
namespace {

using Log = std::vector<std::string>;

// A 5x3 picture of distinct colours on a grey screen.
PixelImage Picture() {
    PixelImage image(5, 3);
    for (int32_t y = 0; y < 3; ++y) {
        for (int32_t x = 0; x < 5; ++x) {
            image.SetPacked(x, y, 0x200000u + uint32_t(y * 16 + x + 1));
        }
    }
    return image;
}

void PutScreen(FakePlatform& p, Point origin, Point pictureAt, bool withPicture = true) {
    PixelImage screen = test::Filled(1400, 400, 0x808080);
    if (withPicture) {
        test::Paste(screen, Picture(), pictureAt.x - origin.x, pictureAt.y - origin.y);
    }
    p.screen.SetScreen(screen, origin);
}

struct AttemptFixture : ::testing::Test {
    AttemptFixture() {
        ResetParams();
        p.store.WriteInt("Instance 2", "ClickTimeDelayMin", 150);
        p.store.WriteInt("Instance 2", "ClickTimeDelayMax", 150);
        PutScreen(p, {0, 0}, {100, 200});
    }

    void ResetParams() {
        params = SearchParams{};
        params.m_oPictureImage = Picture();
        params.m_iPictureWidth = 5;
        params.m_iPictureHeight = 3;
        params.m_iScreenAreaLeft = 50;
        params.m_iScreenAreaTop = 100;
        params.m_iScreenAreaWidth = 300;
        params.m_iScreenAreaHeight = 200;
        params.m_strTextToSpeak = "hello";
        params.m_bMoveMouseToCenterOfPicture = params.m_bClickOnPicture = true;
        params.m_bCursorBack = params.m_bSpeakText = true;
        p.input.PlaceCursor({10, 10});
    }

    // The actions the window's defaults leave off.
    void AllActionsOn() {
        params.m_bClickElement = params.m_bClickAnotherTime = true;
        params.m_strElementWindowName = "Win";
        params.m_strElementName = "OK";
        params.m_strElementValue = "v";
        params.m_bExecuteScript = params.m_bMakeActiveWindow = params.m_bAbortSearch = true;
        params.m_strScriptToExecute = "/opt/run.sh";
        params.m_strVerb = "Open";
        params.m_pMainWnd = 7;
    }
    void AllActionsOff() {
        params.m_bMoveMouseToCenterOfPicture = params.m_bClickOnPicture = false;
        params.m_bCursorBack = params.m_bSpeakText = false;
    }
    Log Run(AttemptObserver* observer = nullptr, bool withClicker = true) {
        p.log.Clear();
        SearchAttemptDeps deps = p.AttemptDeps();
        deps.elements = withClicker ? deps.elements : nullptr;
        SearchAttempt attempt(deps, p.view, stop);
        attempt.SetObserver(observer);
        attempt.SearchOnce(params, out);
        return p.log.Entries();
    }

    FakePlatform p;
    RunStop stop;
    SearchParams params;
    Point out;
};

TEST_F(AttemptFixture, EveryActionRunsInItsFixedOrder) {
    AllActionsOn();
    params.m_dwTimeDelay1 = 500;
    const Log expected{"capture 50,100 300x200",
                       "status Match Found in 0 Milli Second(s) at 100,200",
                       "move 102,201",
                       "voice-created",
                       "speak-async hello",
                       "click-element Win|OK|v|0",
                       "down",
                       "sleep 150",
                       "up",
                       "down",
                       "sleep 150",
                       "up",
                       "move 10,10",
                       "sleep 100",
                       "sleep 100",
                       "sleep 100",
                       "sleep 100",
                       "sleep 100",
                       "execute /opt/run.sh Open",
                       "activate 7"};
    EXPECT_EQ(Run(), expected);
    EXPECT_EQ(out, (Point{100, 200}));
    EXPECT_EQ(params.m_iFoundState, 2);
    EXPECT_EQ(params.m_iAreaWidth, 300);
    EXPECT_EQ(params.m_iAreaHeight, 200);
    EXPECT_TRUE(stop.Requested());
}

// Without a match, or with the run stopped before the scan, only the status is reported.
TEST_F(AttemptFixture, NoMatchOrAStopBeforeTheScanOnlyReports) {
    params.m_bAbortSearch = true;
    for (const bool stopped : {false, true}) {
        PutScreen(p, {0, 0}, {100, 200}, stopped);
        if (stopped) {
            stop.Request();
        }
        EXPECT_EQ(Run(),
                  (Log{"capture 50,100 300x200", "status Picture Not Found in Screen Search Area"}))
            << stopped;
        EXPECT_EQ(params.m_iFoundState, 0);
        EXPECT_EQ(stop.Requested(), stopped);
    }
}

// Logs what it is told into the platform's log, between the status line and the actions.
class LoggingObserver : public AttemptObserver {
  public:
    explicit LoggingObserver(ActionLog& log) : m_log(log) {}
    void AttemptDone(const MatchInputs& scan, bool found, Point at, uint64_t) override {
        m_log.Add("observed " + std::to_string(found) + " " + std::to_string(at.x) + "," +
                  std::to_string(at.y) + " area " + std::to_string(scan.areaLeft) + "," +
                  std::to_string(scan.areaTop) + " " + std::to_string(scan.areaWidth) + "x" +
                  std::to_string(scan.areaHeight) + " mask " +
                  std::to_string(scan.maskTransparent));
    }

  private:
    ActionLog& m_log;
};

TEST_F(AttemptFixture, TheObserverHearsOfEachAttemptAfterItsStatusLine) {
    LoggingObserver observer(p.log);
    AllActionsOff();
    params.m_bMoveMouseToCenterOfPicture = true;
    params.m_maskTransparent = true;
    for (std::size_t i = 3; i < params.m_oPictureImage.SizeBytes(); i += 4) {
        params.m_oPictureImage.Data()[i] = 0xFF;  // opaque: compared even when masked
    }
    EXPECT_EQ(Run(&observer),
              (Log{"capture 50,100 300x200", "status Match Found in 0 Milli Second(s) at 100,200",
                   "observed 1 100,200 area 50,100 300x200 mask 1", "move 102,201"}));
    PutScreen(p, {0, 0}, {100, 200}, false);
    const Log missed = Run(&observer);
    ASSERT_EQ(missed.size(), 3u);
    EXPECT_EQ(missed[1], "status Picture Not Found in Screen Search Area");
    EXPECT_TRUE(missed[2].starts_with("observed 0 ")) << missed[2];
}

TEST_F(AttemptFixture, SwitchesSelectTheActions) {
    struct Case {
        const char* name;
        void (*setUp)(SearchParams&);
        Log actions;  // after the capture and the status text
        bool elementFound = true;
        bool executes = true;
        bool cursorKnown = true;
    } cases[] = {
        {"all off, empty text",
         [](SearchParams& s) {
             s.m_bSpeakText = true;
             s.m_strTextToSpeak.clear();
         },
         {}},
        {"click without move jumps to the centre",
         [](SearchParams& s) { s.m_bClickOnPicture = s.m_bCursorBack = true; },
         {"set-cursor 102,201", "down", "sleep 150", "up", "move 10,10"}},
        {"synchronous speech",
         [](SearchParams& s) {
             s.m_bSpeakText = true;
             s.m_bSpeakTextAsync = false;
         },
         {"voice-created", "speak-sync hello"}},
        {"element not found beeps",
         [](SearchParams& s) {
             s.m_bClickElement = s.m_bDoNotUseValueToSearchElement = true;
             s.m_strElementName = "Missing";
         },
         {"click-element |Missing||1", "beep 0x10"},
         false},
        {"cursor back from an unknown start leaves the cursor",
         [](SearchParams& s) { s.m_bMoveMouseToCenterOfPicture = s.m_bCursorBack = true; },
         {"move 102,201"},
         true,
         true,
         false},
        {"move only",
         [](SearchParams& s) { s.m_bMoveMouseToCenterOfPicture = true; },
         {"move 102,201"}},
        {"execution",
         [](SearchParams& s) {
             s.m_bExecuteScript = true;
             s.m_strScriptToExecute = "/opt/run.sh";
             s.m_strVerb = "Print";
         },
         {"execute /opt/run.sh Print"}},
        {"failed execution beeps",
         [](SearchParams& s) {
             s.m_bExecuteScript = true;
             s.m_strScriptToExecute = "/opt/run.sh";
             s.m_strVerb = "Properties";
         },
         {"execute /opt/run.sh Properties", "beep 0x10"},
         true,
         false},
    };
    for (const Case& c : cases) {
        AllActionsOff();
        c.setUp(params);
        p.elements.result = c.elementFound;
        p.shell.executes = c.executes;
        if (!c.cursorKnown) {
            p.input.ForgetCursor();
        }
        Log log = Run();
        ASSERT_GE(log.size(), 2u) << c.name;
        EXPECT_EQ(Log(log.begin() + 2, log.end()), c.actions) << c.name;
        ResetParams();
    }
}

// The user stops the run (or closes the window) while a step waits: the step
// ends soon and the attempt skips what is left, except putting the cursor back.
TEST_F(AttemptFixture, AStopDuringAWaitingStepEndsTheAttempt) {
    const auto requestStop = [this] { stop.Request(); };
    struct Case {
        const char* name;
        std::function<void(FakePlatform&, SearchParams&)> setUp;
        Log actions;  // after the capture and the status text
    } cases[] = {
        {"an hour's delay",
         [&](FakePlatform& f, SearchParams&) {
             f.clock.SetSleepHook([&](int sleeps) {
                 if (sleeps == 2 + 3) {  // two click holds, then three slices
                     requestStop();
                 }
             });
         },
         {"click-element Win|OK|v|0", "set-cursor 102,201", "down", "sleep 150", "up", "down",
          "sleep 150", "up", "move 10,10", "sleep 100", "sleep 100", "sleep 100"}},
        {"synchronous speech",
         [&](FakePlatform& f, SearchParams& s) {
             s.m_bSpeakText = true;
             s.m_bSpeakTextAsync = false;
             f.voices.whileSpeaking = requestStop;
         },
         {"voice-created", "speak-sync hello", "speech-stopped", "move 10,10"}},
    };
    for (const Case& c : cases) {
        AllActionsOn();
        params.m_bMoveMouseToCenterOfPicture = params.m_bSpeakText = false;
        params.m_dwTimeDelay1 = 3'600'000;
        c.setUp(p, params);
        const Log log = Run();
        ASSERT_GE(log.size(), 2u) << c.name;
        EXPECT_EQ(Log(log.begin() + 2, log.end()), c.actions) << c.name;
        stop.Clear();
        p.clock.SetSleepHook({});
        p.voices.whileSpeaking = {};
        ResetParams();
    }
}

TEST_F(AttemptFixture, MissingElementClickerCountsAsNotFound) {
    AllActionsOff();
    params.m_bClickElement = true;
    EXPECT_EQ(Run(nullptr, false).back(), "beep 0x10");
}

// The first attempt's clock must not pay for the area's fresh memory: the run
// readies the image, and the capture fills that very block.
TEST_F(AttemptFixture, PreparedAreaImageIsFilledInPlace) {
    SearchAttempt attempt(p.AttemptDeps(), p.view, stop);
    attempt.Prepare(params);
    ASSERT_EQ(params.m_oAreaImage.m_iWidth, 300);
    ASSERT_EQ(params.m_oAreaImage.m_iHeight, 200);
    const uint8_t* prepared = params.m_oAreaImage.Data();
    attempt.SearchOnce(params, out);
    EXPECT_EQ(params.m_oAreaImage.Data(), prepared);
    EXPECT_EQ(params.m_iFoundState, 2);
    EXPECT_EQ(out, (Point{100, 200}));
}

TEST(MatchTextTest, ElapsedTimeForms) {
    struct Case {
        int64_t seconds;
        uint64_t ms;
        const char* text;
    } cases[] = {
        {125, 125300, "Match Found in 2 Minutes 5 Seconds at 3,-4"},
        {3725, 3725000, "Match Found in 2 Minutes 5 Seconds at 3,-4"},  // hours dropped
        {3600, 3600000, "Match Found in 3600000 Milli Second(s) at 3,-4"},
        {60, 60000, "Match Found in 1 Minutes 0 Seconds at 3,-4"},
        {59, 59999, "Match Found in 59 Seconds at 3,-4"},
        {1, 300, "Match Found in 1 Seconds at 3,-4"},  // straddled a second boundary
        {0, 0, "Match Found in 0 Milli Second(s) at 3,-4"},
        {-5, 12, "Match Found in 12 Milli Second(s) at 3,-4"},  // clock set back
        {-125, 7, "Match Found in 7 Milli Second(s) at 3,-4"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SearchAttempt::MatchText(c.seconds, c.ms, {3, -4}), c.text);
    }
}

TEST_F(AttemptFixture, ElapsedTimeIsMeasuredAroundTheScan) {
    AllActionsOff();
    p.clock.Advance(999);
    p.screen.SetCaptureHook([this] { p.clock.Advance(2); });
    EXPECT_EQ(Run()[1], "status Match Found in 1 Seconds at 100,200");
    p.screen.SetCaptureHook([this] { p.clock.Advance(125'000); });
    EXPECT_EQ(Run()[1], "status Match Found in 2 Minutes 5 Seconds at 100,200");
}

struct TwoMonitorFixture : AttemptFixture {
    TwoMonitorFixture() {
        p.SetMonitors({{-1280, 0, 0, 1024}, {0, 0, 1920, 1080}});
        params.m_iScreenAreaLeft = -1000;
        params.m_iScreenAreaTop = 100;
        AllActionsOff();
    }
};

TEST_F(TwoMonitorFixture, CursorOffTheAreaMonitorIsParkedAndBroughtBackOnAMatch) {
    struct Case {
        std::optional<Point> cursor;
        bool match;
        Log log;
        std::optional<Point> cursorAfter;
    } cases[] = {
        {Point{500, 500},
         true,
         {"set-cursor -1000,100", "capture -1000,100 300x200",
          "status Match Found in 0 Milli Second(s) at -900,200", "move 500,500"},
         Point{500, 500}},
        {Point{500, 500},
         false,
         {"set-cursor -1000,100", "capture -1000,100 300x200",
          "status Picture Not Found in Screen Search Area"},
         Point{-1000, 100}},
        {Point{-5, 5},
         true,
         {"capture -1000,100 300x200", "status Match Found in 0 Milli Second(s) at -900,200"},
         Point{-5, 5}},
        // Unknown: neither parked nor brought back.
        {std::nullopt,
         true,
         {"capture -1000,100 300x200", "status Match Found in 0 Milli Second(s) at -900,200"},
         std::nullopt},
    };
    for (const Case& c : cases) {
        PutScreen(p, {-1280, 0}, {-900, 200}, c.match);
        if (c.cursor) {
            p.input.PlaceCursor(*c.cursor);
        } else {
            p.input.ForgetCursor();
        }
        EXPECT_EQ(Run(), c.log);
        EXPECT_EQ(p.input.CursorPos(), c.cursorAfter);
    }
}

}  // namespace
}  // namespace qrv
