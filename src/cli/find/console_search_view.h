#pragma once

#include <condition_variable>
#include <mutex>
#include <string>

#include "core/search/search_view.h"

namespace qrv::cli {

// The search run's window on a terminal: status lines go to standard output
// one per line as they are written (unless hidden), message requests to
// standard error.
class ConsoleSearchView : public SearchView {
  public:
    explicit ConsoleSearchView(bool showStatus = true) : m_showStatus(showStatus) {}

    void SetStatusText(const std::string& text) override;
    void SetFindButtonText(const std::string&) override {}
    void SetSearchingIcon(bool) override {}
    void ShowMessage(const std::string& text, MessageIcon icon) override;
    bool TransferControlsToFields() override { return true; }
    void PostSearchProgress() override {}
    void PostSearchFinished() override;
    void EndDialog(int result) override;
    void RefreshLivePreview() override {}
    WindowId MainWindowId() override { return 0; }
    HotKeyValue GetHotKey() override { return {}; }
    void SetHotKey(HotKeyValue) override {}

    // Blocks until the run has posted its end.
    void WaitForFinish();
    bool MessageShown() const { return m_messageShown; }

  private:
    std::mutex m_mutex;
    std::condition_variable m_finished;
    bool m_showStatus;
    bool m_done = false;
    bool m_messageShown = false;
};

}  // namespace qrv::cli
