#include "core/search/search_controller.h"

#include <cstdio>
#include <filesystem>
#include <new>
#include <stdexcept>
#include <system_error>

#include "core/search/hot_key_modifiers.h"
#include "core/search/search_area_check.h"
#include "core/search/search_set_up.h"
#include "core/settings/setting_keys.h"
#include "core/settings/utf8_path.h"

namespace qrv {

namespace {

constexpr const char* kNoAreaMessage = "Please Capture Screen Search Area and then try again.";
constexpr const char* kNoPictureMessage =
    "Please Capture / Select Picture to Find and then try Again.";
constexpr const char* kOutOfMemoryText = "Not Enough Memory to Search the Screen Search Area";

std::string WithNumber(const char* format, uint32_t n) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, n);
    return buffer;
}

}  // namespace

SearchController::SearchController(SearchView& view, MainWindowFields& fields,
                                   const SearchControllerDeps& deps)
    : m_view(view), m_fields(fields), m_deps(deps), m_attempt(deps.attempt, view, m_stop) {}

SearchController::~SearchController() {
    Shutdown();
}

void SearchController::OnFindButton() {
    if (m_bSearching) {
        m_stop.Request();
    } else {
        ToggleSearch();
    }
}

void SearchController::ToggleSearch() {
    if (m_bSearching) {
        m_stop.Request();
    } else {
        if (!m_view.TransferControlsToFields()) {
            return;
        }
        if (m_fields.m_iScreenAreaWidth == 0 || m_fields.m_iScreenAreaHeight == 0) {
            m_view.ShowMessage(kNoAreaMessage, MessageIcon::Information);
            return;
        }
        if (const auto problem = AreaProblem()) {
            m_view.ShowMessage(*problem, MessageIcon::Information);
            return;
        }
        if (!PictureFileExists()) {
            m_view.ShowMessage(kNoPictureMessage, MessageIcon::Information);
            return;
        }
        m_stop.Clear();
        m_view.TransferControlsToFields();
        SetSearchingDisplay(true);
        m_nProgressTotal = static_cast<uint64_t>(int64_t(m_fields.m_count));
        if (PictureFileExists() && PrepareParams()) {
            StartUnlessPictureTooLarge();
        } else {
            m_view.ShowMessage(kNoPictureMessage, MessageIcon::Information);
            SetSearchingDisplay(false);
        }
    }
    m_view.SetFindButtonText(m_searchingIcon ? "Stop" : "Find");
}

void SearchController::OnHotKey(int id) {
    if (id == kStartHotKeyId) {
        ToggleSearch();
    }
}

void SearchController::OnSearchProgress() {
    if (m_taskbarActive) {
        m_deps.taskbar->SetState(TaskbarState::Indeterminate);
        m_deps.taskbar->SetValue(m_nProgressDone, m_nProgressTotal);
    }
}

void SearchController::OnSearchFinished() {
    if (m_bSearching) {
        return;  // a late notice of a run that ended before the current one started
    }
    m_view.SetFindButtonText("Find");
    m_nAttempts = 0;
    SetSearchingDisplay(false);
    m_nProgressDone = 0;
    if (m_noFrame) {
        m_view.ShowMessage(SearchAttempt::kNoFrameText, MessageIcon::Error);
    }
}

bool SearchController::RequestClose() {
    m_stop.RequestClose();
    return !m_bSearching;
}

void SearchController::Shutdown() {
    m_detached = true;
    m_stop.Request();
    if (m_worker.joinable()) {
        m_worker.join();
    }
}

std::optional<std::pair<MatchExplanation, std::string>> SearchController::ExplainLastAttempt()
    const {
    if (m_bSearching || m_params.m_oAreaImage.Empty() || m_params.m_oPictureImage.Empty()) {
        return std::nullopt;
    }
    const MatchInputs in = SearchAttempt::ScanInputs(m_params);
    const MatchExplanation e = ExplainMatch(in);
    return std::pair{e, ExplanationText(e, in)};
}

void SearchController::RegisterStartHotKey() {
    Profile& profile = m_deps.attempt.profile;
    const uint32_t key = static_cast<uint32_t>(profile.Get(keys::kStartKey));
    const uint32_t modifiers = static_cast<uint32_t>(profile.Get(keys::kStartMod));
    if (!m_deps.hotKeys) {
        return;
    }
    m_deps.hotKeys->Unregister(kStartHotKeyId);
    if ((key & 0xFFFF) == 0) {
        return;
    }
    // A combination another client holds simply stays unregistered.
    m_deps.hotKeys->Register(kStartHotKeyId, modifiers, key);
    m_view.SetHotKey({key & 0xFF, StoredToControlModifiers(modifiers)});
}

void SearchController::AssignStartHotKey() {
    Profile& profile = m_deps.attempt.profile;
    const HotKeyValue value = m_view.GetHotKey();
    if (profile.Write(keys::kStartKey, static_cast<int32_t>(value.key))) {
        profile.Write(keys::kStartMod,
                      static_cast<int32_t>(ControlToStoredModifiers(value.modifiers)));
    }
    RegisterStartHotKey();
}

void SearchController::ClearStartHotKey() {
    m_view.SetHotKey({});
    AssignStartHotKey();
}

std::optional<std::string> SearchController::AreaProblem() const {
    return SearchAreaProblem(m_fields.m_iScreenAreaLeft, m_fields.m_iScreenAreaTop,
                             m_fields.m_iScreenAreaWidth, m_fields.m_iScreenAreaHeight,
                             m_deps.attempt.layout.VirtualScreen());
}

bool SearchController::PictureFileExists() const {
    std::error_code error;
    return std::filesystem::exists(Utf8Path(m_fields.m_strPictureToFindFilePath), error);
}

void SearchController::SetSearchingDisplay(bool searching) {
    m_searchingIcon = searching;
    m_view.SetSearchingIcon(searching);
    if (searching && !m_taskbarActive && m_deps.taskbar) {
        m_taskbarActive = true;
        m_deps.taskbar->SetState(TaskbarState::None);
    } else if (!searching && m_taskbarActive) {
        m_deps.taskbar->SetState(TaskbarState::None);
        m_taskbarActive = false;
    }
}

bool SearchController::PrepareParams() {
    m_view.RefreshLivePreview();
    m_params = SearchSetUp(m_fields, m_deps.attempt.profile);
    m_fields.m_strTextToSpeak = m_params.m_strTextToSpeak;  // kept as the run speaks it
    m_params.m_pMainWnd = m_view.MainWindowId();
    if (std::optional<DecodedImage> picture = std::exchange(m_picture, std::nullopt)) {
        return TakeSearchPicture(kStatusOk, std::move(*picture), m_params);
    }
    return LoadSearchPicture(m_deps.codec, m_params);
}

void SearchController::StartUnlessPictureTooLarge() {
    const SearchParams& p = m_params;
    if (p.m_iPictureWidth <= p.m_iScreenAreaWidth && p.m_iPictureHeight <= p.m_iScreenAreaHeight) {
        StartWorker();
        return;
    }
    m_view.ShowMessage(PictureTooLargeText(p.m_iPictureWidth, p.m_iPictureHeight,
                                           p.m_iScreenAreaWidth, p.m_iScreenAreaHeight),
                       MessageIcon::Information);
    SetSearchingDisplay(false);
}

void SearchController::StartWorker() {
    if (m_worker.joinable()) {
        m_worker.join();  // the previous run has already reported its end
    }
    m_stop.Clear();
    m_nAttempts = 0;  // the last run's finish notice may not have been delivered yet
    m_nProgressDone = 0;
    m_noFrame = false;
    // Marked here rather than on the worker, so that a second toggle before
    // the worker is scheduled stops this run instead of starting another.
    m_bSearching = true;
    m_worker = std::thread(&SearchController::SearchWorker, this);
}

void SearchController::SearchWorker() {
    m_attempt.Prepare(m_params);
    uint32_t n = 0;
    while (!m_stop.Requested()) {
        if (m_params.m_count != 0 && ++m_nAttempts > m_params.m_count) {
            break;
        }
        ++n;
        m_view.SetStatusText(WithNumber("%u Searching...", n));
        if (const char* failure = AttemptOnce()) {
            m_view.SetStatusText(failure);
            m_stop.Request();
            break;
        }
        ++m_nProgressDone;
        m_view.PostSearchProgress();
        if (m_params.m_interval > 0) {
            Pause(n);
        }
    }
    if (m_detached) {
        return;
    }
    if (m_stop.Closing()) {
        m_view.EndDialog(1);
        return;
    }
    m_view.SetStatusText(FinalText(n));
    m_stop.Request();  // what the toggle does while a run is active
    m_bSearching = false;
    m_view.PostSearchFinished();
}

const char* SearchController::AttemptOnce() {
    // An allocation failure ends the run with a status line rather than the
    // process: it must not escape the thread.
    try {
        Point found;
        if (!m_attempt.SearchOnce(m_params, found)) {
            m_noFrame = true;
            return SearchAttempt::kNoFrameText;
        }
        return nullptr;
    } catch (const std::bad_alloc&) {
        m_params.m_iFoundState = 0;
        return kOutOfMemoryText;
    } catch (const std::length_error&) {
        m_params.m_iFoundState = 0;
        return kOutOfMemoryText;
    }
}

void SearchController::Pause(uint32_t n) {
    m_view.SetStatusText(WithNumber("%u Paused", n));
    const uint32_t slice = static_cast<uint32_t>(m_params.m_interval / 10);
    for (int i = 0; i < 10 && !m_stop.Requested(); ++i) {
        m_deps.attempt.clock.SleepMsUnlessStopped(slice, m_stop);
    }
}

std::string SearchController::FinalText(uint32_t n) const {
    const bool found = m_params.m_iFoundState != 0;
    if (m_stop.Requested()) {
        return WithNumber(found ? "%u Found, Aborted" : "%u Aborted", n);
    }
    return WithNumber(found ? "%u Found, Finished" : "%u Finished", n);
}

}  // namespace qrv
