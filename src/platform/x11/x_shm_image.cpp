#include "platform/x11/x_shm_image.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>

#include <utility>

#include "platform/x11/x_display.h"
#include "platform/x11/x_error_trap.h"
#include "platform/x11/x_shm_segment.h"

namespace qrv {

XShmImage::XShmImage(std::shared_ptr<XDisplay> display)
    : m_pConnection(std::move(display)), m_pDisplay(m_pConnection->Get()) {}

XShmImage::~XShmImage() = default;

bool XShmImage::Available(Display* display) {
    return XShmQueryExtension(display);
}

XImage* XShmImage::Read(int x, int y, int width, int height) {
    if (!Fit(width, height)) {
        return nullptr;
    }
    XErrorTrap trap(m_pDisplay);
    Status ok =
        XShmGetImage(m_pDisplay, DefaultRootWindow(m_pDisplay), m_pImage.get(), x, y, AllPlanes);
    return ok && !trap.Failed() ? m_pImage.get() : nullptr;
}

uint8_t* XShmImage::Pixels() const {
    return m_pSegment ? m_pSegment->Bytes() : nullptr;
}

std::size_t XShmImage::Capacity() const {
    return m_pSegment ? m_pSegment->Size() : 0;
}

// Makes m_pImage a width x height image inside the segment, growing the
// segment when it is too small.
bool XShmImage::Fit(int width, int height) {
    if (m_pImage && m_pImage->width == width && m_pImage->height == height) {
        return true;
    }
    m_pImage = CreateImage(width, height, m_pSegment.get());
    if (!m_pImage) {
        return false;
    }
    const std::size_t bytes = std::size_t(m_pImage->bytes_per_line) * std::size_t(height);
    if (bytes <= Capacity()) {
        return true;
    }
    // The old segment goes before the new one is made.
    m_pImage.reset();
    m_pSegment.reset();
    m_pSegment = XShmSegment::Attach(m_pDisplay, bytes);
    if (m_pSegment) {
        m_pImage = CreateImage(width, height, m_pSegment.get());
    }
    return m_pImage != nullptr;
}

// An image header over the segment's memory; destroying it leaves the segment.
XImagePtr XShmImage::CreateImage(int width, int height, XShmSegment* segment) const {
    const int screen = DefaultScreen(m_pDisplay);
    XShmSegmentInfo* info = segment ? segment->Info() : nullptr;
    return XImagePtr(XShmCreateImage(
        m_pDisplay, DefaultVisual(m_pDisplay, screen), DefaultDepth(m_pDisplay, screen), ZPixmap,
        info ? info->shmaddr : nullptr, info, unsigned(width), unsigned(height)));
}

}  // namespace qrv
