#pragma once

#include <windows.h>

#include <functional>

namespace qrv::win32 {

// A message-only window that hands the messages it receives to a callback on
// the thread that created it; for services that need a window of their own
// where the program has no native one to lend.
class MessageWindow {
  public:
    // Returns true when it handled the message.
    using Handler = std::function<bool(UINT message, WPARAM wParam, LPARAM lParam)>;

    explicit MessageWindow(Handler handler);
    ~MessageWindow();
    MessageWindow(const MessageWindow&) = delete;
    MessageWindow& operator=(const MessageWindow&) = delete;

    HWND Handle() const { return m_window; }

  private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    Handler m_handler;
    HWND m_window = nullptr;
};

}  // namespace qrv::win32
