#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

#include "fakes/action_log.h"
#include "search/search_view.h"

namespace qrv {

class SearchController;

// A main window without a window. Logs every call ("status <text>",
// "button <text>", "icon searching" / "icon normal", "message info <text>",
// "transfer", "progress", "finished", "end <result>", "refresh",
// "hotkey-control <key> <modifiers>"). Posted notifications queue up until
// the test, acting as the user-interface thread, delivers them.
class RecordingSearchView : public SearchView {
  public:
    explicit RecordingSearchView(ActionLog& log);

    void SetStatusText(const std::string& text) override;
    void SetFindButtonText(const std::string& text) override;
    void SetSearchingIcon(bool searching) override;
    void ShowMessage(const std::string& text, MessageIcon icon) override;
    bool TransferControlsToFields() override;
    void PostSearchProgress() override;
    void PostSearchFinished() override;
    void EndDialog(int result) override;
    void RefreshLivePreview() override;
    WindowId MainWindowId() override;
    HotKeyValue GetHotKey() override;
    void SetHotKey(HotKeyValue value) override;

    // Called by every transfer; its result is the transfer's (true when unset).
    void SetTransferHook(std::function<bool()> hook);
    // The user edits the hot key control.
    void TypeHotKey(HotKeyValue value);
    // Waits until `runs` runs have ended in total (finished posted or dialog
    // ended); false if that does not happen within a generous safety limit.
    bool WaitForRunEnds(int runs);
    // Delivers the queued notifications to the controller on this thread.
    void DeliverPosted(SearchController& controller);

  private:
    enum class Posted { Progress, Finished };
    void NoteRunEnd();

    ActionLog& m_log;
    std::mutex m_mutex;
    std::condition_variable m_ended;
    int m_runEnds = 0;
    std::deque<Posted> m_posted;
    std::function<bool()> m_transferHook;
    HotKeyValue m_hotKey;
};

}  // namespace qrv
