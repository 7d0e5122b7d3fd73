#include "x11/x_error_trap.h"

#include <X11/Xlib.h>

#include <map>
#include <mutex>

namespace qrv {
namespace {

using ErrorHandler = int (*)(Display*, XErrorEvent*);

std::mutex& TrapMutex() {
    static std::mutex mutex;
    return mutex;
}

// Error count per trapped connection.
std::map<Display*, int>& Trapped() {
    static std::map<Display*, int> trapped;
    return trapped;
}

ErrorHandler& PreviousHandler() {
    static ErrorHandler previous = nullptr;
    return previous;
}

int RecordError(Display* display, XErrorEvent* error) {
    ErrorHandler previous = nullptr;
    {
        std::lock_guard lock(TrapMutex());
        auto it = Trapped().find(display);
        if (it != Trapped().end()) {
            ++it->second;
            return 0;
        }
        previous = PreviousHandler();
    }
    return previous ? previous(display, error) : 0;
}

}  // namespace

XErrorTrap::XErrorTrap(Display* display) : m_pDisplay(display) {
    XSync(m_pDisplay, False);
    std::lock_guard lock(TrapMutex());
    Trapped()[m_pDisplay] = 0;
    static std::once_flag installed;
    std::call_once(installed, [] { PreviousHandler() = XSetErrorHandler(RecordError); });
}

XErrorTrap::~XErrorTrap() {
    XSync(m_pDisplay, False);
    std::lock_guard lock(TrapMutex());
    Trapped().erase(m_pDisplay);
}

bool XErrorTrap::Failed() {
    XSync(m_pDisplay, False);
    std::lock_guard lock(TrapMutex());
    int& count = Trapped()[m_pDisplay];
    bool failed = count > 0;
    count = 0;
    return failed;
}

}  // namespace qrv
