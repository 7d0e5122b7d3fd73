#pragma once

#include <mutex>
#include <vector>

#include "fakes/action_log.h"
#include "search/geometry.h"
#include "search/input_injector.h"

namespace qrv {

// Records injected events and cursor placements. Absolute moves also move
// the cursor, decoded over the virtual screen it was given.
class RecordingInputInjector : public InputInjector {
  public:
    explicit RecordingInputInjector(ActionLog* log = nullptr);

    // Logs "move <dx>,<dy>", "down", "up" or "event <flags>".
    void Inject(const MouseEvent& event) override;
    Point CursorPos() override;
    // Logs "set-cursor <x>,<y>".
    void SetCursorPos(Point p) override;
    uint64_t MessageExtraInfo() override;

    void SetVirtualScreen(Rect screen);
    void SetExtraInfo(uint64_t value);
    // Moves the cursor without logging, as the user would.
    void PlaceCursor(Point p);
    std::vector<MouseEvent> Events();

  private:
    ActionLog* m_log;
    std::mutex m_mutex;
    Rect m_screen{0, 0, 1920, 1080};
    Point m_cursor;
    uint64_t m_extraInfo = 0;
    std::vector<MouseEvent> m_events;
};

}  // namespace qrv
