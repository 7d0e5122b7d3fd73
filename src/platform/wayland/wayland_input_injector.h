#pragma once

#include <memory>
#include <mutex>
#include <string>

#include "core/desktop/input_injector.h"

struct zwlr_virtual_pointer_v1;

namespace qrv {

class WaylandDisplay;

// Mouse input through a wlr-virtual-pointer device on the compositor's seat,
// in screen coordinates. A Wayland client cannot read the pointer's position,
// so the cursor position is the last one this injector moved to, unknown
// until its first absolute move. Safe to use from several threads.
class WaylandInputInjector : public InputInjector {
  public:
    explicit WaylandInputInjector(const std::string& displayName = {});
    ~WaylandInputInjector() override;

    // False without a compositor or without virtual pointers.
    bool Connected() const { return m_pointer != nullptr; }
    void Inject(const MouseEvent& event) override;
    std::optional<Point> CursorPos() override;
    // Moves the pointer there with one motion event and waits until the
    // compositor has taken it.
    void SetCursorPos(Point p) override;

  private:
    void MoveTo(Point p, uint32_t time);
    void Scroll(const MouseEvent& event, uint32_t time);

    std::shared_ptr<WaylandDisplay> m_display;
    zwlr_virtual_pointer_v1* m_pointer = nullptr;
    std::optional<Point> m_cursor;
    std::mutex m_mutex;
};

}  // namespace qrv
