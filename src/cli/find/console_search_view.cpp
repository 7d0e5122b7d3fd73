#include "cli/find/console_search_view.h"

#include <cstdio>

namespace qrv::cli {

void ConsoleSearchView::SetStatusText(const std::string& text) {
    if (!m_showStatus) {
        return;
    }
    std::lock_guard lock(m_mutex);
    std::fputs(text.c_str(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

void ConsoleSearchView::ShowMessage(const std::string& text, MessageIcon icon) {
    std::lock_guard lock(m_mutex);
    m_messageShown = true;
    std::fprintf(stderr, "%s: %s\n", icon == MessageIcon::Information ? "note" : "error",
                 text.c_str());
}

void ConsoleSearchView::PostSearchFinished() {
    std::lock_guard lock(m_mutex);
    m_done = true;
    m_finished.notify_all();
}

void ConsoleSearchView::EndDialog(int) {
    PostSearchFinished();
}

void ConsoleSearchView::WaitForFinish() {
    std::unique_lock lock(m_mutex);
    m_finished.wait(lock, [this] { return m_done; });
}

}  // namespace qrv::cli
