#include "core/search/search_attempt.h"

#include <algorithm>
#include <cstdio>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/search/picture_matcher.h"

namespace qrv {

namespace {

// Long waits sleep in slices of this length so that a stop ends them soon.
constexpr uint32_t kWaitSliceMs = 100;

// The area of the run, whose right and bottom edges were checked to be
// screen coordinates before it started.
Rect AreaOf(const SearchParams& params) {
    return {params.m_iScreenAreaLeft, params.m_iScreenAreaTop,
            params.m_iScreenAreaLeft + params.m_iScreenAreaWidth,
            params.m_iScreenAreaTop + params.m_iScreenAreaHeight};
}

bool Overlap(const Rect& a, const Rect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

template <typename... Args>
std::string Format(const char* format, Args... args) {
    char buffer[160];
    std::snprintf(buffer, sizeof buffer, format, args...);
    return buffer;
}

}  // namespace

SearchAttempt::SearchAttempt(const SearchAttemptDeps& deps, StatusLine& status, RunStop& stop)
    : m_deps(deps),
      m_status(status),
      m_stop(stop),
      m_mouse(deps.input, deps.layout, deps.clock, deps.profile) {}

bool SearchAttempt::SearchOnce(SearchParams& params, Point& out) {
    const Point savedCursor = m_deps.input.CursorPos();
    GuardCursorMonitor(params, savedCursor);

    params.m_iFoundState = 0;
    const int64_t startWall = m_deps.clock.WallSeconds();
    const uint64_t startTick = m_deps.clock.TickMs();
    const std::optional<uint64_t> scanMs = Scan(params, out);
    if (!scanMs) {
        params.m_oAreaImage.Clear();  // nothing to explain either
        return false;
    }

    if (params.m_iFoundState == 0) {
        m_status.SetStatusText("Picture Not Found in Screen Search Area");
        if (m_observer) {
            m_observer->AttemptDone(ScanInputs(params), false, out, *scanMs);
        }
        return true;
    }
    params.m_iFoundState = 2;
    const int64_t seconds = m_deps.clock.WallSeconds() - startWall;
    const uint64_t ms = m_deps.clock.TickMs() - startTick;
    m_status.SetStatusText(MatchText(seconds, ms, out));
    if (m_observer) {
        m_observer->AttemptDone(ScanInputs(params), true, out, *scanMs);
    }
    RunActions(params, out, savedCursor);
    if (params.m_bAbortSearch) {
        m_stop.Request();
    }
    return true;
}

void SearchAttempt::Prepare(SearchParams& params) {
    try {
        m_deps.screen.Prepare(AreaOf(params), params.m_oAreaImage);
    } catch (const std::bad_alloc&) {
        params.m_oAreaImage.Clear();
    } catch (const std::length_error&) {
        params.m_oAreaImage.Clear();
    }
}

std::string SearchAttempt::MatchText(int64_t elapsedSeconds, uint64_t elapsedMs, Point at) {
    // Truncating division keeps both parts <= 0 when the clock went back.
    const int minutes = static_cast<int>(elapsedSeconds / 60 % 60);
    const int seconds = static_cast<int>(elapsedSeconds % 60);
    if (minutes >= 1) {
        return Format("Match Found in %d Minutes %d Seconds at %d,%d", minutes, seconds, at.x,
                      at.y);
    }
    if (seconds >= 1) {
        return Format("Match Found in %d Seconds at %d,%d", seconds, at.x, at.y);
    }
    return Format("Match Found in %llu Milli Second(s) at %d,%d",
                  static_cast<unsigned long long>(elapsedMs), at.x, at.y);
}

void SearchAttempt::GuardCursorMonitor(const SearchParams& params, Point cursor) {
    m_cursorOffAreaMonitor = false;
    const Rect screen = m_deps.layout.VirtualScreen();
    if (screen.left >= 0 && screen.top >= 0) {
        return;
    }
    // With a monitor left of or above the primary, a cursor left on another
    // monitor than the area's could end up in the wrong place after the
    // actions; it is parked on the area and brought back afterwards.
    m_cursorOffAreaMonitor = true;
    const Point corner{params.m_iScreenAreaLeft, params.m_iScreenAreaTop};
    for (const Rect& monitor : m_deps.layout.Monitors()) {
        if (monitor.Contains(corner)) {
            if (monitor.Contains(cursor)) {
                m_cursorOffAreaMonitor = false;
            }
            break;
        }
    }
    if (m_cursorOffAreaMonitor) {
        m_deps.input.SetCursorPos(corner);
    }
}

MatchInputs SearchAttempt::ScanInputs(const SearchParams& params) {
    MatchInputs in = MatchInputs::Of(params.m_oAreaImage, params.m_oPictureImage);
    in.deviationRed = params.m_iDeviationRed;
    in.deviationGreen = params.m_iDeviationGreen;
    in.deviationBlue = params.m_iDeviationBlue;
    in.areaLeft = params.m_iScreenAreaLeft;
    in.areaTop = params.m_iScreenAreaTop;
    in.maskTransparent = params.m_maskTransparent;
    return in;
}

bool SearchAttempt::CaptureArea(ScreenSource& screen, DisplayLayout& layout, Rect area,
                                PixelImage& into) {
    if (screen.Capture(area, into)) {
        return true;
    }
    const std::vector<Rect> monitors = layout.Monitors();
    return std::none_of(monitors.begin(), monitors.end(),
                        [&](const Rect& monitor) { return Overlap(monitor, area); });
}

std::optional<uint64_t> SearchAttempt::Scan(SearchParams& params, Point& out) {
    params.m_iAreaWidth = params.m_iScreenAreaWidth;
    params.m_iAreaHeight = params.m_iScreenAreaHeight;
    if (!CaptureArea(m_deps.screen, m_deps.layout, AreaOf(params), params.m_oAreaImage)) {
        return std::nullopt;
    }

    MatchInputs in = ScanInputs(params);
    in.sweep = params.m_bMoveCursorWithSearch;
    in.stop = &m_stop.Flag();
    in.cursor = &m_mouse;
    const uint64_t start = m_deps.clock.TickMs();
    if (FindPictureInArea(in, out)) {
        params.m_iFoundState = 1;
    }
    return m_deps.clock.TickMs() - start;
}

void SearchAttempt::RunActions(const SearchParams& params, Point at, Point savedCursor) {
    const Point centre{at.x + params.m_iPictureWidth / 2, at.y + params.m_iPictureHeight / 2};
    if (params.m_bMoveMouseToCenterOfPicture) {
        m_mouse.MoveMouseTo(centre.x, centre.y);
    }
    Speak(params);
    // Once the run is stopped, only the cursor still goes back.
    if (!m_stop.Requested()) {
        ClickElement(params);
    }
    if (!m_stop.Requested()) {
        ClickPicture(params, centre);
    }
    if (params.m_bCursorBack || m_cursorOffAreaMonitor) {
        m_mouse.MoveMouseTo(savedCursor.x, savedCursor.y);
    }
    if (!WaitUnlessStopped(params.m_dwTimeDelay1)) {
        return;
    }
    // A file or verb the desktop cannot run sounds the failure, as no window
    // of the shell's own reports it.
    if (params.m_bExecuteScript &&
        !m_deps.shell.Execute(params.m_strScriptToExecute, params.m_strVerb)) {
        m_deps.beeper.Beep(BeepKind::Error);
    }
    if (params.m_bMakeActiveWindow) {
        m_deps.activator.Activate(params.m_pMainWnd);
    }
}

void SearchAttempt::ClickElement(const SearchParams& params) {
    if (!params.m_bClickElement) {
        return;
    }
    const bool clicked =
        m_deps.elements &&
        m_deps.elements->ClickElement(params.m_strElementWindowName, params.m_strElementName,
                                      params.m_strElementValue,
                                      params.m_bDoNotUseValueToSearchElement, &m_stop.Flag());
    if (!clicked) {
        m_deps.beeper.Beep(BeepKind::Error);
    }
}

void SearchAttempt::ClickPicture(const SearchParams& params, Point centre) {
    if (!params.m_bClickOnPicture) {
        return;
    }
    if (!params.m_bMoveMouseToCenterOfPicture) {
        m_deps.input.SetCursorPos(centre);
    }
    m_mouse.ClickLeft();
    if (params.m_bClickAnotherTime) {
        m_mouse.ClickLeft();
    }
}

bool SearchAttempt::WaitUnlessStopped(uint32_t ms) {
    while (!m_stop.Requested()) {
        if (ms == 0) {
            return true;
        }
        const uint32_t slice = std::min(ms, kWaitSliceMs);
        m_deps.clock.SleepMs(slice);
        ms -= slice;
    }
    return false;
}

void SearchAttempt::Speak(const SearchParams& params) {
    if (!params.m_bSpeakText || params.m_strTextToSpeak.empty()) {
        return;
    }
    m_deps.speaker.EnsureVoice();
    if (params.m_bSpeakTextAsync) {
        m_deps.speaker.SpeakAsync(params.m_strTextToSpeak);
    } else {
        m_deps.speaker.SpeakSync(params.m_strTextToSpeak, &m_stop.Flag());
    }
}

}  // namespace qrv
