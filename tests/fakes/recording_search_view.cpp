#include "fakes/recording_search_view.h"

#include <chrono>

#include "core/search/search_controller.h"

namespace qrv {

void RecordingSearchView::ShowMessage(const std::string& text, MessageIcon icon) {
    const char* name = icon == MessageIcon::Information ? "info"
                       : icon == MessageIcon::Error     ? "error"
                                                        : "exclamation";
    m_log.Add(std::string("message ") + name + " " + text);
}

void RecordingSearchView::PostSearchProgress() {
    m_log.Add("progress");
    std::lock_guard lock(m_mutex);
    m_posted.push_back(Posted::Progress);
}

void RecordingSearchView::PostSearchFinished() {
    m_log.Add("finished");
    {
        std::lock_guard lock(m_mutex);
        m_posted.push_back(Posted::Finished);
    }
    NoteRunEnd();
}

void RecordingSearchView::SetHotKey(HotKeyValue value) {
    m_log.Add("hotkey-control " + std::to_string(value.key) + " " +
              std::to_string(value.modifiers));
    TypeHotKey(value);
}

bool RecordingSearchView::WaitForRunEnds(int runs) {
    std::unique_lock lock(m_mutex);
    // A hang guard only: runs on fake clocks end in microseconds.
    return m_ended.wait_for(lock, std::chrono::seconds(60), [&] { return m_runEnds >= runs; });
}

void RecordingSearchView::DeliverPosted(SearchController& controller) {
    for (;;) {
        Posted posted;
        {
            std::lock_guard lock(m_mutex);
            if (m_posted.empty()) {
                return;
            }
            posted = m_posted.front();
            m_posted.pop_front();
        }
        posted == Posted::Progress ? controller.OnSearchProgress() : controller.OnSearchFinished();
    }
}

void RecordingSearchView::NoteRunEnd() {
    std::lock_guard lock(m_mutex);
    ++m_runEnds;
    m_ended.notify_all();
}

}  // namespace qrv
