#pragma once

#include <optional>

#include "core/base/geometry.h"
#include "core/desktop/mouse_event.h"

namespace qrv {

// Synthesised mouse input and the cursor position.
class InputInjector {
  public:
    virtual ~InputInjector() = default;
    // Injects one event. Absolute moves carry coordinates normalised to
    // 0..65535 over the whole virtual screen.
    virtual void Inject(const MouseEvent& event) = 0;
    // Empty where the desktop does not tell the pointer's position and this
    // program has not placed it yet.
    virtual std::optional<Point> CursorPos() = 0;
    // Whether CursorPos() follows the pointer wherever the user moves it;
    // where not, it tells only where this program placed it last.
    virtual bool TracksPointer() const { return false; }
    // Places the cursor directly, without a synthesised event.
    virtual void SetCursorPos(Point p) = 0;
    // Extra information of the calling thread's current message; 0 where the
    // platform has no such thing.
    virtual uint64_t MessageExtraInfo() { return 0; }
};

}  // namespace qrv
