// The Windows twin of tests/input/input_log_window.py, printing the same
// lines: a window over the primary monitor, an edit control on top of it.
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#include <windowsx.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

HWND g_entry = nullptr;

void LogText() {
    std::wstring text(GetWindowTextLengthW(g_entry) + 1, L'\0');
    text.resize(GetWindowTextW(g_entry, text.data(), int(text.size())));
    std::printf("text \"");
    for (wchar_t c : text) {  // as Python's json.dumps
        std::printf(c == L'"' || c == L'\\' ? "\\%c"
                    : c >= 0x20 && c < 0x7f ? "%c"
                                            : "\\u%04x",
                    unsigned(c));
    }
    std::printf("\"\n");
}

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && HIWORD(wParam) == EN_CHANGE) {
        LogText();
    } else if (message >= WM_LBUTTONDOWN && message <= WM_MBUTTONUP) {
        // Down, up (and double click) of left, right, middle: X's buttons 1, 3, 2.
        const unsigned i = message - WM_LBUTTONDOWN;
        std::printf("%s %c %d %d\n", i % 3 ? "release" : "press", "132"[i / 3],
                    GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    } else if (message == WM_MOUSEWHEEL || message == WM_MOUSEHWHEEL) {
        const int steps = GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA;
        static const char* const kNames[2][2] = {{"down", "up"}, {"left", "right"}};
        for (int i = 0; i < std::abs(steps); ++i) {
            std::printf("scroll %s\n", kNames[message == WM_MOUSEHWHEEL][steps > 0]);
        }
        return message == WM_MOUSEHWHEEL;
    } else {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return 0;
}

}  // namespace

int main() {
    _setmode(_fileno(stdout), _O_BINARY);  // lines end in \n alone
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    WNDCLASSW wc{};
    wc.lpfnWndProc = &Procedure;
    wc.lpszClassName = L"QuorvaneInputLog";
    RegisterClassW(&wc);
    const int width = GetSystemMetrics(SM_CXSCREEN), entryHeight = 30;
    HWND window =
        CreateWindowExW(WS_EX_TOPMOST, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 0, 0, width,
                        GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr, nullptr, nullptr);
    g_entry = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL,
                              0, 0, width, entryHeight, window, nullptr, nullptr, nullptr);
    SetForegroundWindow(window);
    SetFocus(g_entry);
    std::printf("ready %d %d\n", width / 2, entryHeight / 2);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        // Ctrl+A selects all, as in the edit controls of Common Controls 6.
        if (msg.message == WM_KEYDOWN && msg.wParam == 'A' && GetKeyState(VK_CONTROL) < 0) {
            Edit_SetSel(g_entry, 0, -1);
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}
