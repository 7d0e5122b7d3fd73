#pragma once

#include <mutex>
#include <optional>
#include <vector>

#include "core/base/geometry.h"
#include "core/desktop/input_injector.h"
#include "fakes/action_log.h"

namespace qrv {

// Records injected events and cursor placements. Absolute moves also move
// the cursor, decoded over the virtual screen it was given.
class RecordingInputInjector : public InputInjector {
  public:
    explicit RecordingInputInjector(ActionLog* log = nullptr) : m_log(log) {}

    // Logs "move <x>,<y>", "down", "up" (left button), "down right", "up
    // middle", ..., "wheel <mouseData>", "hwheel <mouseData>" or "event <flags>".
    void Inject(const MouseEvent& event) override;
    std::optional<Point> CursorPos() override {
        std::lock_guard lock(m_mutex);
        return m_cursor;
    }
    // Logs "set-cursor <x>,<y>".
    void SetCursorPos(Point p) override;
    uint64_t MessageExtraInfo() override {
        std::lock_guard lock(m_mutex);
        return m_extraInfo;
    }

    void SetVirtualScreen(Rect screen) {
        std::lock_guard lock(m_mutex);
        m_screen = screen;
    }
    void SetExtraInfo(uint64_t value) {
        std::lock_guard lock(m_mutex);
        m_extraInfo = value;
    }
    // Moves the cursor without logging, as the user would.
    void PlaceCursor(Point p) {
        std::lock_guard lock(m_mutex);
        m_cursor = p;
    }
    // As a desktop that does not tell where the pointer is.
    void ForgetCursor() {
        std::lock_guard lock(m_mutex);
        m_cursor.reset();
    }
    std::vector<MouseEvent> Events() {
        std::lock_guard lock(m_mutex);
        return m_events;
    }

  private:
    ActionLog* m_log;
    std::mutex m_mutex;
    Rect m_screen{0, 0, 1920, 1080};
    std::optional<Point> m_cursor = Point{};
    uint64_t m_extraInfo = 0;
    std::vector<MouseEvent> m_events;
};

}  // namespace qrv
