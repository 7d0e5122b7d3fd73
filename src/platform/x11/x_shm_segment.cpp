#include "platform/x11/x_shm_segment.h"

#include <sys/ipc.h>
#include <sys/shm.h>

#include "platform/x11/x_error_trap.h"

namespace qrv {
namespace {

char* const kNotMapped = reinterpret_cast<char*>(-1);

}  // namespace

XShmSegment::XShmSegment(Display* display, std::size_t bytes) : m_display(display), m_size(bytes) {
    m_info.shmid = -1;
    m_info.shmaddr = kNotMapped;
    m_info.readOnly = False;
}

std::unique_ptr<XShmSegment> XShmSegment::Attach(Display* display, std::size_t bytes) {
    std::unique_ptr<XShmSegment> segment(new XShmSegment(display, bytes));
    XShmSegmentInfo& info = segment->m_info;
    info.shmid = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
    if (info.shmid < 0) {
        return nullptr;
    }
    info.shmaddr = static_cast<char*>(shmat(info.shmid, nullptr, 0));
    if (segment->Mapped()) {
        XErrorTrap trap(display);
        segment->m_serverAttached = XShmAttach(display, &info) && !trap.Failed();
    }
    // Marked for removal now; it disappears once both sides detach.
    shmctl(info.shmid, IPC_RMID, nullptr);
    if (!segment->m_serverAttached) {
        return nullptr;
    }
    return segment;
}

XShmSegment::~XShmSegment() {
    if (m_serverAttached) {
        // The server keeps its own mapping until it handles the detach, so
        // this side may unmap at once; no round trip, as the owner of the
        // image may be on another thread than the capture.
        XShmDetach(m_display, &m_info);
        XFlush(m_display);
    }
    if (Mapped()) {
        shmdt(m_info.shmaddr);
    }
}

bool XShmSegment::Mapped() const {
    return m_info.shmaddr != kNotMapped;
}

}  // namespace qrv
