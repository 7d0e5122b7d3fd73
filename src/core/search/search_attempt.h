#pragma once

#include <optional>

#include "core/automation/element_clicker.h"
#include "core/base/geometry.h"
#include "core/base/run_stop.h"
#include "core/desktop/beeper.h"
#include "core/desktop/clock.h"
#include "core/desktop/display_layout.h"
#include "core/desktop/input_injector.h"
#include "core/desktop/screen_source.h"
#include "core/desktop/shell.h"
#include "core/desktop/window_activator.h"
#include "core/search/attempt_observer.h"
#include "core/search/mouse_input.h"
#include "core/search/search_params.h"
#include "core/search/status_line.h"
#include "core/search/text_speaker.h"
#include "core/settings/profile.h"

namespace qrv {

// The services one search attempt uses. All must outlive the attempt.
struct SearchAttemptDeps {
    ScreenSource& screen;
    InputInjector& input;
    DisplayLayout& layout;
    Clock& clock;
    CTextSpeaker& speaker;
    ElementClicker* elements;  // null: every element click fails
    Shell& shell;
    WindowActivator& activator;
    Beeper& beeper;
    Profile& profile;  // click hold-time bounds
};

// One search attempt: capture the area, scan it for the picture, report, and
// on a match run the switched-on actions in their fixed order: move, speak,
// element click, click(s), cursor back, delay, execute, focus switch, abort.
class SearchAttempt {
  public:
    // Reports go to `status`; `stop` is the run's stop state, which must
    // outlive the attempt.
    SearchAttempt(const SearchAttemptDeps& deps, StatusLine& status, RunStop& stop);

    // The status text of an attempt that got no frame of its area.
    static constexpr const char* kNoFrameText =
        "Screen Search Area Unreadable: the desktop sends no screen frames";

    // Runs on the search worker thread. Writes the area image and sizes and
    // m_iFoundState (0 not found, 2 found and actions done); `out` receives
    // the top-left of the match. Stops early when a stop is requested (the
    // actions left then are skipped, except putting the cursor back), and
    // requests one on a match when m_bAbortSearch is on. False, with nothing
    // found, reported or done, when the desktop sent no frame of the area.
    bool SearchOnce(SearchParams& params, Point& out);

    // Readies the area image for the run's captures, before the first
    // attempt's clock starts. Memory that cannot be had is left to the attempt.
    void Prepare(SearchParams& params);

    // Tells `observer` (null: nobody) about every attempt from now on.
    void SetObserver(AttemptObserver* observer) { m_observer = observer; }

    // The scan of the attempt's area for its picture, without sweep and stop.
    static MatchInputs ScanInputs(const SearchParams& params);

    // Captures `area` into `into`. False when the desktop sent nothing of an
    // area on one of its monitors; an area off every monitor reads black.
    static bool CaptureArea(ScreenSource& screen, DisplayLayout& layout, Rect area,
                            PixelImage& into);

    // The status text of a match: minutes form, seconds form or milliseconds
    // form, from the whole-second wall-clock difference (hours dropped) and
    // the tick difference.
    static std::string MatchText(int64_t elapsedSeconds, uint64_t elapsedMs, Point at);

  private:
    // Notes whether the cursor is off the area's monitor and, when it is,
    // puts it on the area.
    void GuardCursorMonitor(const SearchParams& params, Point cursor);
    // Returns the scan's time in milliseconds; nothing when no frame came.
    std::optional<uint64_t> Scan(SearchParams& params, Point& out);
    void RunActions(const SearchParams& params, Point at, Point savedCursor);
    void ClickElement(const SearchParams& params);
    void ClickPicture(const SearchParams& params, Point centre);
    // Sleeps ms unless the run is stopped first; false when it was stopped.
    bool WaitUnlessStopped(uint32_t ms);
    void Speak(const SearchParams& params);

    SearchAttemptDeps m_deps;
    StatusLine& m_status;
    RunStop& m_stop;
    MouseInput m_mouse;
    AttemptObserver* m_observer = nullptr;
    bool m_cursorOffAreaMonitor = false;  // of the current attempt
};

}  // namespace qrv
