#pragma once

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <thread>
#include <utility>

#include "core/base/run_stop.h"
#include "core/desktop/global_hot_keys.h"
#include "core/desktop/image_codec.h"
#include "core/desktop/taskbar_progress.h"
#include "core/search/match_explainer.h"
#include "core/search/search_attempt.h"
#include "core/search/search_params.h"
#include "core/search/search_view.h"
#include "core/settings/main_window_fields.h"

namespace qrv {

struct SearchControllerDeps {
    SearchAttemptDeps attempt;
    ImageCodec& codec;
    TaskbarProgress* taskbar;  // null: no progress shown
    GlobalHotKeys* hotKeys;    // null: no start/stop hot key
};

// Search runs of the main window: starting and stopping them, the worker
// thread that repeats the attempts, and the start/stop hot key. Owned by the
// main window; every public member is called on the user-interface thread.
//
// The view must outlive the controller. Destroying the controller stops and
// joins a running worker, which then no longer reports to the view.
class SearchController {
  public:
    static constexpr int kStartHotKeyId = hot_key_id::kStartSearch;

    SearchController(SearchView& view, MainWindowFields& fields, const SearchControllerDeps& deps);
    ~SearchController();
    SearchController(const SearchController&) = delete;
    SearchController& operator=(const SearchController&) = delete;

    // Find/Stop button: starts a run when idle, otherwise only asks the run to stop.
    void OnFindButton();
    // Hot key: starts a run when idle (after checking the area and the
    // picture), otherwise asks the run to stop. Sets the button text from the
    // window icon.
    void ToggleSearch();
    // Handler for presses of the start/stop hot key.
    void OnHotKey(int id);
    // The view's deliveries of PostSearchProgress / PostSearchFinished.
    void OnSearchProgress();
    void OnSearchFinished();
    // A close request: stops any run. True when the window may close now;
    // false while a run is active, whose worker then ends the dialog itself.
    bool RequestClose();
    // Stops a run and waits for its worker; the view hears nothing more.
    void Shutdown();

    // Registers the stored hot key and shows it in the hot key control.
    void RegisterStartHotKey();
    // Stores the control's combination (the modifiers only when the key was
    // stored) and registers it.
    void AssignStartHotKey();
    // Clears the control and stores "no hot key".
    void ClearStartHotKey();

    // The last attempt of the last run explained from its captured area and
    // picture, with the text for the user; nothing while a run is active or
    // before any attempt.
    std::optional<std::pair<MatchExplanation, std::string>> ExplainLastAttempt() const;

    // Tells `observer` (null: nobody) about every attempt of the runs to come.
    void SetAttemptObserver(AttemptObserver* observer) { m_attempt.SetObserver(observer); }

    // The runs' stop state: a request through it stops the current run like
    // the Stop button, from any thread.
    RunStop& Stop() { return m_stop; }
    bool IsSearching() const { return m_bSearching.load(); }
    int32_t Attempts() const { return m_nAttempts.load(); }
    uint64_t ProgressDone() const { return m_nProgressDone.load(); }
    // Whether the last attempt of the last run found the picture; read it
    // once that run has ended.
    bool LastAttemptFound() const { return m_params.m_iFoundState != 0; }

  private:
    // Why the fields' area cannot be searched; nothing when it can.
    std::optional<std::string> AreaProblem() const;
    bool PictureFileExists() const;
    void SetSearchingDisplay(bool searching);
    // Fills the run's parameters; false when the picture cannot be searched for.
    bool PrepareParams();
    // A picture that cannot fit into the area is never found: the user hears so instead.
    void StartUnlessPictureTooLarge();
    void StartWorker();
    void SearchWorker();
    // One search attempt; false when it ran out of memory.
    bool AttemptOnce();
    // Reports the pause, then sleeps the interval in ten slices, waking as
    // soon as the run is stopped.
    void Pause(uint32_t n);
    std::string FinalText(uint32_t n) const;

    SearchView& m_view;
    MainWindowFields& m_fields;
    SearchControllerDeps m_deps;
    RunStop m_stop;
    SearchAttempt m_attempt;
    SearchParams m_params;
    bool m_searchingIcon = false;
    bool m_taskbarActive = false;
    uint64_t m_nProgressTotal = 0;
    std::atomic<bool> m_bSearching{false};
    std::atomic<int32_t> m_nAttempts{0};
    std::atomic<uint64_t> m_nProgressDone{0};
    std::atomic<bool> m_detached{false};
    std::thread m_worker;
};

}  // namespace qrv
