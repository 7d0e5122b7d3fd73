#include "fakes/recording_search_view.h"

#include <chrono>
#include <string>
#include <utility>

#include "search/search_controller.h"

namespace qrv {

namespace {

const char* IconName(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Information:
            return "info";
        case MessageIcon::Error:
            return "error";
        case MessageIcon::Exclamation:
            return "exclamation";
    }
    return "?";
}

}  // namespace

RecordingSearchView::RecordingSearchView(ActionLog& log) : m_log(log) {}

void RecordingSearchView::SetStatusText(const std::string& text) {
    m_log.Add("status " + text);
}

void RecordingSearchView::SetFindButtonText(const std::string& text) {
    m_log.Add("button " + text);
}

void RecordingSearchView::SetSearchingIcon(bool searching) {
    m_log.Add(searching ? "icon searching" : "icon normal");
}

void RecordingSearchView::ShowMessage(const std::string& text, MessageIcon icon) {
    m_log.Add(std::string("message ") + IconName(icon) + " " + text);
}

bool RecordingSearchView::TransferControlsToFields() {
    m_log.Add("transfer");
    std::function<bool()> hook;
    {
        std::lock_guard lock(m_mutex);
        hook = m_transferHook;
    }
    return hook ? hook() : true;
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

void RecordingSearchView::EndDialog(int result) {
    m_log.Add("end " + std::to_string(result));
    NoteRunEnd();
}

void RecordingSearchView::RefreshLivePreview() {
    m_log.Add("refresh");
}

WindowId RecordingSearchView::MainWindowId() {
    return 0x4242;
}

HotKeyValue RecordingSearchView::GetHotKey() {
    std::lock_guard lock(m_mutex);
    return m_hotKey;
}

void RecordingSearchView::SetHotKey(HotKeyValue value) {
    m_log.Add("hotkey-control " + std::to_string(value.key) + " " +
              std::to_string(value.modifiers));
    TypeHotKey(value);
}

void RecordingSearchView::SetTransferHook(std::function<bool()> hook) {
    std::lock_guard lock(m_mutex);
    m_transferHook = std::move(hook);
}

void RecordingSearchView::TypeHotKey(HotKeyValue value) {
    std::lock_guard lock(m_mutex);
    m_hotKey = value;
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
        if (posted == Posted::Progress) {
            controller.OnSearchProgress();
        } else {
            controller.OnSearchFinished();
        }
    }
}

void RecordingSearchView::NoteRunEnd() {
    std::lock_guard lock(m_mutex);
    ++m_runEnds;
    m_ended.notify_all();
}

}  // namespace qrv
