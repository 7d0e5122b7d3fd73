#pragma once

#include "core/desktop/input_injector.h"

namespace qrv::win32 {

// SendInput with the event exactly as given, and the system cursor.
class Win32InputInjector : public InputInjector {
  public:
    void Inject(const MouseEvent& event) override;
    std::optional<Point> CursorPos() override;
    bool TracksPointer() const override { return true; }
    void SetCursorPos(Point p) override;
    uint64_t MessageExtraInfo() override;
};

}  // namespace qrv::win32
