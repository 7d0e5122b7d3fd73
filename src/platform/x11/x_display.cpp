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
    XCloseDisplay(m_display);
}

unsigned long XDisplay::Root() const {
    return DefaultRootWindow(m_display);
}

int XDisplay::ScreenNumber() const {
    return DefaultScreen(m_display);
}

int XDisplay::Fd() const {
    return ConnectionNumber(m_display);
}

unsigned long XDisplay::Atom(const char* name) const {
    return XInternAtom(m_display, name, False);
}

void XDisplay::Sync() const {
    XSync(m_display, False);
}

}  // namespace qrv
