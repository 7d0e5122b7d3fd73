#pragma once

#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>

#include "core/search/search_view.h"
#include "fakes/action_log.h"

namespace qrv {

class SearchController;

// A main window without a window. Logs every call ("status <text>",
// "button <text>", "icon searching" / "icon normal", "message info <text>",
// "transfer", "progress", "finished", "end <result>", "refresh",
// "hotkey-control <key> <modifiers>"). Posted notifications queue up until
// the test, acting as the user-interface thread, delivers them.
class RecordingSearchView : public SearchView {
  public:
    explicit RecordingSearchView(ActionLog& log) : m_log(log) {}

    void SetStatusText(const std::string& text) override { m_log.Add("status " + text); }
    void SetFindButtonText(const std::string& text) override { m_log.Add("button " + text); }
    void SetSearchingIcon(bool searching) override {
        m_log.Add(searching ? "icon searching" : "icon normal");
    }
    void ShowMessage(const std::string& text, MessageIcon icon) override;
    bool TransferControlsToFields() override {
        m_log.Add("transfer");
        return transferSucceeds;
    }
    void PostSearchProgress() override;
    void PostSearchFinished() override;
    void EndDialog(int result) override {
        m_log.Add("end " + std::to_string(result));
        NoteRunEnd();
    }
    void RefreshLivePreview() override { m_log.Add("refresh"); }
    WindowId MainWindowId() override { return 0x4242; }
    HotKeyValue GetHotKey() override {
        std::lock_guard lock(m_mutex);
        return m_hotKey;
    }
    void SetHotKey(HotKeyValue value) override;

    // The user edits the hot key control.
    void TypeHotKey(HotKeyValue value) {
        std::lock_guard lock(m_mutex);
        m_hotKey = value;
    }
    // Waits until `runs` runs have ended in total (finished posted or dialog
    // ended); false if that does not happen within a generous safety limit.
    bool WaitForRunEnds(int runs);
    // Delivers the queued notifications to the controller on this thread.
    void DeliverPosted(SearchController& controller);

    std::atomic<bool> transferSucceeds{true};

  private:
    enum class Posted { Progress, Finished };
    void NoteRunEnd();

    ActionLog& m_log;
    std::mutex m_mutex;
    std::condition_variable m_ended;
    int m_runEnds = 0;
    std::deque<Posted> m_posted;
    HotKeyValue m_hotKey;
};

}  // namespace qrv
