#include "platform/x11/x_display.h"

#include <X11/Xlib.h>

#include <mutex>

namespace qrv {

std::unique_ptr<XDisplay> XDisplay::Open(const std::string& name) {
    static std::once_flag threadsInitialised;
    std::call_once(threadsInitialised, [] { XInitThreads(); });
    Display* display = XOpenDisplay(name.empty() ? nullptr : name.c_str());
    if (!display) {
        return nullptr;
    }
    return std::unique_ptr<XDisplay>(new XDisplay(display));
}

XDisplay::~XDisplay() {
    XCloseDisplay(m_pDisplay);
}

unsigned long XDisplay::Root() const {
    return DefaultRootWindow(m_pDisplay);
}

int XDisplay::ScreenNumber() const {
    return DefaultScreen(m_pDisplay);
}

int XDisplay::Fd() const {
    return ConnectionNumber(m_pDisplay);
}

unsigned long XDisplay::Atom(const char* name) const {
    return XInternAtom(m_pDisplay, name, False);
}

void XDisplay::Sync() const {
    XSync(m_pDisplay, False);
}

}  // namespace qrv
