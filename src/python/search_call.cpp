#include "python/search_call.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "core/search/match_lister.h"
#include "core/search/search_attempt.h"
#include "python/live_desktop.h"
#include "python/script_error.h"

namespace qrv::python {

namespace py = pybind11;

namespace {

// How often a wait looks for signals to handle.
constexpr auto kSignalLookEvery = std::chrono::milliseconds(10);

}  // namespace

SearchCall::SearchCall(py::handle picture, py::handle region, py::handle deviation,
                       bool maskTransparent, py::handle haystack, py::handle order)
    : m_region(RegionArgument(region)),
      m_deviation(DeviationArgument(deviation)),
      m_maskTransparent(maskTransparent) {
    const PixelOrder pixelOrder = OrderArgument(order);
    // Owned pixels, or an Image's, which they keep alive: never a view.
    m_picture =
        std::move(PixelsArgument(picture, pixelOrder, PixelsArgument::Role::kPicture).Pixels());
    if (!haystack.is_none()) {
        m_haystack =
            std::make_unique<PixelsArgument>(haystack, pixelOrder, PixelsArgument::Role::kHaystack);
        m_haystackSource = std::make_unique<ImageScreenSource>(std::move(m_haystack->Pixels()),
                                                               m_haystack->Origin());
        m_haystackDesktop = std::make_unique<OffscreenDesktop>(m_haystackSource->Bounds());
    }
}

MatchInputs SearchCall::Look() {
    ScreenSource* screen = m_haystackSource.get();
    DisplayLayout* layout = m_haystackDesktop.get();
    if (!m_haystack) {
        DesktopPlatform& session = LiveDesktop::Instance().Session();
        screen = session.screen.get();
        layout = session.layout.get();
    }
    if (!m_scan) {
        const Rect area =
            m_region.value_or(m_haystack ? m_haystackSource->Bounds() : layout->VirtualScreen());
        m_scan.emplace(std::move(m_picture), area, m_deviation.channels, m_maskTransparent);
        if (auto problem = m_scan->AreaProblem(*layout)) {
            m_scan.reset();
            RaiseBadInput(*problem);
        }
    }
    if (!m_scan->Capture(*screen, *layout)) {
        throw ScriptError(ScriptError::Kind::kDesktopUnavailable, SearchAttempt::kNoFrameText);
    }
    return m_scan->Inputs();
}

std::optional<Point> SearchCall::Locate() {
    Point at;
    if (FindPictureInArea(Look(), at)) {
        return at;
    }
    return std::nullopt;
}

std::vector<Point> SearchCall::LocateAll(std::size_t limit) {
    return ListMatches(Look(), limit);
}

MatchExplanation SearchCall::Explain() {
    const MatchInputs in = Look();
    const MatchExplanation e = ExplainMatch(in);
    if (!e.fits) {
        RaiseBadInput(ExplanationText(e, in));
    }
    return e;
}

std::optional<Point> SearchCall::Wait(std::optional<double> timeout, double interval) {
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    const auto seconds = [](double s) {
        return std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(s));
    };
    // Far beyond any wait a script means, and clear of the clock's overflow.
    constexpr double kLongest = 1e9;
    const auto end = start + seconds(std::min(timeout.value_or(kLongest), kLongest));
    for (;;) {
        std::optional<Point> at;
        {
            py::gil_scoped_release release;
            at = Locate();
        }
        if (at || Clock::now() >= end) {
            return at;
        }
        const auto next = std::min(end, Clock::now() + seconds(std::min(interval, kLongest)));
        do {
            if (PyErr_CheckSignals() != 0) {
                throw py::error_already_set();
            }
            py::gil_scoped_release release;
            std::this_thread::sleep_until(std::min(next, Clock::now() + kSignalLookEvery));
        } while (Clock::now() < next);
        if (PyErr_CheckSignals() != 0) {
            throw py::error_already_set();
        }
    }
}

}  // namespace qrv::python
