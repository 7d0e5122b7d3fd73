#include "platform/win32/win32_input_injector.h"

#include <windows.h>

namespace qrv::win32 {

void Win32InputInjector::Inject(const MouseEvent& event) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = event.dx;
    input.mi.dy = event.dy;
    input.mi.mouseData = event.mouseData;
    input.mi.dwFlags = event.flags;
    input.mi.time = event.time;
    input.mi.dwExtraInfo = ULONG_PTR(event.extraInfo);
    SendInput(1, &input, sizeof input);
}

std::optional<Point> Win32InputInjector::CursorPos() {
    POINT p{};
    GetCursorPos(&p);
    return Point{p.x, p.y};
}

void Win32InputInjector::SetCursorPos(Point p) {
    ::SetCursorPos(p.x, p.y);
}

uint64_t Win32InputInjector::MessageExtraInfo() {
    return uint64_t(GetMessageExtraInfo());
}

}  // namespace qrv::win32
