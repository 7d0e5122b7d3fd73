#include "test_window.h"

#include <windowsx.h>

namespace qrv::win32 {
namespace {

constexpr wchar_t kClassName[] = L"QuorvaneTestWindow";

}  // namespace

TestWindow::TestWindow(const RECT& rc, COLORREF color, const std::wstring& title)
    : m_brush(CreateSolidBrush(color)) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &TestWindow::Procedure;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kClassName;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    RegisterClassExW(&wc);
    m_window = CreateWindowExW(WS_EX_TOPMOST, kClassName, title.c_str(), WS_POPUP, rc.left, rc.top,
                               rc.right - rc.left, rc.bottom - rc.top, nullptr, nullptr,
                               GetModuleHandleW(nullptr), this);
    SetWindowLongPtrW(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    ShowWindow(m_window, SW_SHOWNOACTIVATE);
    UpdateWindow(m_window);
}

TestWindow::~TestWindow() {
    SetWindowLongPtrW(m_window, GWLP_USERDATA, 0);
    DestroyWindow(m_window);
    DeleteObject(m_brush);
}

LRESULT CALLBACK TestWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<TestWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self && message == WM_ERASEBKGND) {
        RECT rc;
        GetClientRect(window, &rc);
        FillRect(reinterpret_cast<HDC>(wParam), &rc, self->m_brush);
        return 1;
    }
    if (self && message == WM_LBUTTONDOWN) {
        self->m_clicks.push_back(Click{POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)},
                                       ULONG_PTR(GetMessageExtraInfo())});
        return 0;
    }
    if (self && message == WM_LBUTTONUP) {
        ++self->m_buttonUps;
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    while (!done() && GetTickCount64() < end) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    return done();
}

}  // namespace qrv::win32
