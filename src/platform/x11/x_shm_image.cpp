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
    : m_connection(std::move(display)), m_display(m_connection->Get()) {}

XShmImage::~XShmImage() = default;

bool XShmImage::Available(Display* display) {
    return XShmQueryExtension(display);
}

XImage* XShmImage::Read(int x, int y, int width, int height) {
    if (!Fit(width, height)) {
        return nullptr;
    }
    XErrorTrap trap(m_display);
    Status ok =
        XShmGetImage(m_display, DefaultRootWindow(m_display), m_image.get(), x, y, AllPlanes);
    return ok && !trap.Failed() ? m_image.get() : nullptr;
}

uint8_t* XShmImage::Pixels() const {
    return m_segment ? m_segment->Bytes() : nullptr;
}

std::size_t XShmImage::Capacity() const {
    return m_segment ? m_segment->Size() : 0;
}

// Makes m_image a width x height image inside the segment, growing the
// segment when it is too small.
bool XShmImage::Fit(int width, int height) {
    if (m_image && m_image->width == width && m_image->height == height) {
        return true;
    }
    m_image = CreateImage(width, height, m_segment.get());
    if (!m_image) {
        return false;
    }
    const std::size_t bytes = std::size_t(m_image->bytes_per_line) * std::size_t(height);
    if (bytes <= Capacity()) {
        return true;
    }
    // The old segment goes before the new one is made.
    m_image.reset();
    m_segment.reset();
    m_segment = XShmSegment::Attach(m_display, bytes);
    if (m_segment) {
        m_image = CreateImage(width, height, m_segment.get());
    }
    return m_image != nullptr;
}

// An image header over the segment's memory; destroying it leaves the segment.
XImagePtr XShmImage::CreateImage(int width, int height, XShmSegment* segment) const {
    const int screen = DefaultScreen(m_display);
    XShmSegmentInfo* info = segment ? segment->Info() : nullptr;
    return XImagePtr(XShmCreateImage(
        m_display, DefaultVisual(m_display, screen), DefaultDepth(m_display, screen), ZPixmap,
        info ? info->shmaddr : nullptr, info, unsigned(width), unsigned(height)));
}

}  // namespace qrv
