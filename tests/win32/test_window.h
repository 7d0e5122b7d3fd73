#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace qrv::win32 {

// A borderless top-most window filled with one colour that records the left
// clicks it receives, for checking what the backend reads and injects.
class TestWindow {
  public:
    struct Click {
        POINT client;         // where, in client coordinates
        ULONG_PTR extraInfo;  // the message's extra information
    };

    TestWindow(const RECT& screenRect, COLORREF color, const std::wstring& title = L"");
    ~TestWindow();
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    HWND Handle() const { return m_window; }
    const std::vector<Click>& Clicks() const { return m_clicks; }
    int ButtonUps() const { return m_buttonUps; }

  private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_window = nullptr;
    HBRUSH m_brush = nullptr;
    std::vector<Click> m_clicks;
    int m_buttonUps = 0;
};

// Dispatches the calling thread's messages until `done` holds or a generous
// time has passed, whatever the machine's speed; returns `done()`.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 20000);

}  // namespace qrv::win32
