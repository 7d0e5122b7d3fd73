#pragma once

using Display = struct _XDisplay;

namespace qrv {

// Waits until the client that has the keyboard focus has read every event the
// server sent it so far. The client answers a window manager's ping
// (_NET_WM_PING) in the order of its events, and looks up the symbols of the
// keys before it: once it answers, it has seen the keyboard mapping those
// keys were pressed with, however busy the machine is. Clients that do not
// answer pings are not waited for.
class XFocusClientSync {
  public:
    explicit XFocusClientSync(Display* display);
    void Wait();

  private:
    unsigned long FocusedClient();
    unsigned long ClientUnderPointer();
    unsigned long ClientAbove(unsigned long window);
    bool AnswersPing(unsigned long window);
    bool AwaitAnswer(unsigned long window, long token);

    Display* m_display;
    unsigned long m_protocols;
    unsigned long m_ping;
    long m_token = 0;
};

}  // namespace qrv
