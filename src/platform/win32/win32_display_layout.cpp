#include "platform/win32/win32_display_layout.h"

#include <windows.h>

namespace qrv::win32 {
namespace {

BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT rc, LPARAM list) {
    reinterpret_cast<std::vector<Rect>*>(list)->push_back(
        Rect{rc->left, rc->top, rc->right, rc->bottom});
    return TRUE;
}

}  // namespace

Rect Win32DisplayLayout::VirtualScreen() {
    const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    return Rect{left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

std::vector<Rect> Win32DisplayLayout::Monitors() {
    std::vector<Rect> monitors;
    EnumDisplayMonitors(nullptr, nullptr, &AddMonitor, reinterpret_cast<LPARAM>(&monitors));
    return monitors;
}

}  // namespace qrv::win32
