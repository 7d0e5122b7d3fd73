#include "x11/x_beeper.h"

#include <X11/Xlib.h>

#include "x11/x_display.h"

namespace qrv {

XBeeper::XBeeper(const std::string& displayName) : m_pDisplay(XDisplay::Open(displayName)) {}

XBeeper::~XBeeper() = default;

void XBeeper::Beep(BeepKind) {
    if (m_pDisplay) {
        XBell(m_pDisplay->Get(), 0);
        XFlush(m_pDisplay->Get());
    }
}

}  // namespace qrv
