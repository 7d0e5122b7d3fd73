#include "fakes/recording_input_injector.h"

#include <string>

#include "search/mouse_input.h"

namespace qrv {

RecordingInputInjector::RecordingInputInjector(ActionLog* log) : m_log(log) {}

void RecordingInputInjector::Inject(const MouseEvent& event) {
    std::string entry;
    {
        std::lock_guard lock(m_mutex);
        m_events.push_back(event);
        if (event.flags == mouse_flags::kAbsoluteMove) {
            m_cursor = {MouseInput::NormalisedToPixel(event.dx, m_screen.left, m_screen.Width()),
                        MouseInput::NormalisedToPixel(event.dy, m_screen.top, m_screen.Height())};
            entry = "move " + std::to_string(m_cursor.x) + "," + std::to_string(m_cursor.y);
        } else if (event.flags == mouse_flags::kLeftDown) {
            entry = "down";
        } else if (event.flags == mouse_flags::kLeftUp) {
            entry = "up";
        } else {
            entry = "event " + std::to_string(event.flags);
        }
    }
    if (m_log) {
        m_log->Add(entry);
    }
}

Point RecordingInputInjector::CursorPos() {
    std::lock_guard lock(m_mutex);
    return m_cursor;
}

void RecordingInputInjector::SetCursorPos(Point p) {
    PlaceCursor(p);
    if (m_log) {
        m_log->Add("set-cursor " + std::to_string(p.x) + "," + std::to_string(p.y));
    }
}

uint64_t RecordingInputInjector::MessageExtraInfo() {
    std::lock_guard lock(m_mutex);
    return m_extraInfo;
}

void RecordingInputInjector::SetVirtualScreen(Rect screen) {
    std::lock_guard lock(m_mutex);
    m_screen = screen;
}

void RecordingInputInjector::SetExtraInfo(uint64_t value) {
    std::lock_guard lock(m_mutex);
    m_extraInfo = value;
}

void RecordingInputInjector::PlaceCursor(Point p) {
    std::lock_guard lock(m_mutex);
    m_cursor = p;
}

std::vector<MouseEvent> RecordingInputInjector::Events() {
    std::lock_guard lock(m_mutex);
    return m_events;
}

}  // namespace qrv
