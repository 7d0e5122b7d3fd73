#include "platform/x11/x_shm_image.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <utility>

#include "platform/x11/x_display.h"
#include "platform/x11/x_error_trap.h"

namespace qrv {
namespace {

XShmSegmentInfo& Info(void* p) {
    return *static_cast<XShmSegmentInfo*>(p);
}

}  // namespace

XShmImage::XShmImage(std::shared_ptr<XDisplay> display)
    : m_pConnection(std::move(display)),
      m_pDisplay(m_pConnection->Get()),
      m_pShmInfo(new XShmSegmentInfo{}) {
    Info(m_pShmInfo).shmid = -1;
}

XShmImage::~XShmImage() {
    if (m_pImage) {
        XDestroyImage(m_pImage);
    }
    ReleaseSegment();
    delete static_cast<XShmSegmentInfo*>(m_pShmInfo);
}

bool XShmImage::Available(Display* display) {
    return XShmQueryExtension(display);
}

XImage* XShmImage::Read(int x, int y, int width, int height) {
    if (!Fit(width, height)) {
        return nullptr;
    }
    XErrorTrap trap(m_pDisplay);
    Status ok = XShmGetImage(m_pDisplay, DefaultRootWindow(m_pDisplay), m_pImage, x, y, AllPlanes);
    return ok && !trap.Failed() ? m_pImage : nullptr;
}

uint8_t* XShmImage::Pixels() const {
    return m_nCapacity > 0 ? reinterpret_cast<uint8_t*>(Info(m_pShmInfo).shmaddr) : nullptr;
}

// Makes m_pImage a width x height image inside the segment, growing the
// segment when it is too small.
bool XShmImage::Fit(int width, int height) {
    if (m_pImage && m_pImage->width == width && m_pImage->height == height) {
        return true;
    }
    if (m_pImage) {
        XDestroyImage(m_pImage);  // frees the header only; the segment stays
        m_pImage = nullptr;
    }
    int screen = DefaultScreen(m_pDisplay);
    XShmSegmentInfo& info = Info(m_pShmInfo);
    m_pImage = XShmCreateImage(m_pDisplay, DefaultVisual(m_pDisplay, screen),
                               DefaultDepth(m_pDisplay, screen), ZPixmap, nullptr, &info,
                               unsigned(width), unsigned(height));
    if (!m_pImage) {
        return false;
    }
    m_pImage->data = nullptr;
    std::size_t bytes = std::size_t(m_pImage->bytes_per_line) * std::size_t(height);
    if (bytes > m_nCapacity) {
        ReleaseSegment();
        info.shmid = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
        if (info.shmid < 0) {
            XDestroyImage(m_pImage);
            m_pImage = nullptr;
            return false;
        }
        info.shmaddr = static_cast<char*>(shmat(info.shmid, nullptr, 0));
        info.readOnly = False;
        XErrorTrap trap(m_pDisplay);
        bool attached = info.shmaddr != reinterpret_cast<char*>(-1) &&
                        XShmAttach(m_pDisplay, &info) && !trap.Failed();
        // Marked for removal now; it disappears once both sides detach.
        shmctl(info.shmid, IPC_RMID, nullptr);
        if (!attached) {
            if (info.shmaddr != reinterpret_cast<char*>(-1)) {
                shmdt(info.shmaddr);
            }
            info.shmid = -1;
            XDestroyImage(m_pImage);
            m_pImage = nullptr;
            return false;
        }
        m_nCapacity = bytes;
    }
    m_pImage->data = info.shmaddr;
    return true;
}

void XShmImage::ReleaseSegment() {
    XShmSegmentInfo& info = Info(m_pShmInfo);
    if (info.shmid >= 0) {
        // The server keeps its own mapping until it handles the detach, so
        // this side may unmap at once; no round trip, as the owner of the
        // image may be on another thread than the capture.
        XShmDetach(m_pDisplay, &info);
        XFlush(m_pDisplay);
        shmdt(info.shmaddr);
        info.shmid = -1;
    }
    m_nCapacity = 0;
}

}  // namespace qrv
