#include "platform/x11/x_error_trap.h"

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

struct TrapState {
    int depth = 0;  // traps may nest
    int errors = 0;
};

std::map<Display*, TrapState>& Trapped() {
    static std::map<Display*, TrapState> trapped;
    return trapped;
}

ErrorHandler& PreviousHandler() {
    static ErrorHandler previous = nullptr;
    return previous;
}

// Waits for the server only when requests are still unanswered.
void SyncIfPending(Display* display) {
    if (XLastKnownRequestProcessed(display) + 1 != XNextRequest(display)) {
        XSync(display, False);
    }
}

int RecordError(Display* display, XErrorEvent* error) {
    ErrorHandler previous = nullptr;
    {
        std::lock_guard lock(TrapMutex());
        auto it = Trapped().find(display);
        if (it != Trapped().end()) {
            ++it->second.errors;
            return 0;
        }
        previous = PreviousHandler();
    }
    return previous ? previous(display, error) : 0;
}

}  // namespace

XErrorTrap::XErrorTrap(Display* display) : m_display(display) {
    SyncIfPending(m_display);
    std::lock_guard lock(TrapMutex());
    ++Trapped()[m_display].depth;
    static std::once_flag installed;
    std::call_once(installed, [] { PreviousHandler() = XSetErrorHandler(RecordError); });
}

XErrorTrap::~XErrorTrap() {
    SyncIfPending(m_display);
    std::lock_guard lock(TrapMutex());
    auto it = Trapped().find(m_display);
    if (--it->second.depth == 0) {
        Trapped().erase(it);
    }
}

bool XErrorTrap::Failed() {
    SyncIfPending(m_display);
    std::lock_guard lock(TrapMutex());
    TrapState& state = Trapped()[m_display];
    bool failed = state.errors > 0;
    state.errors = 0;
    return failed;
}

}  // namespace qrv
