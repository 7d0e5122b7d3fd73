#include "platform/x11/x_screen_source.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <bit>
#include <cstring>

#include "platform/x11/x_desktop_geometry.h"
#include "platform/x11/x_desktop_geometry_watch.h"
#include "platform/x11/x_display.h"
#include "platform/x11/x_error_trap.h"
#include "platform/x11/x_handles.h"
#include "platform/x11/x_shm_image.h"

namespace qrv {
namespace {

Rect Intersect(const Rect& a, const Rect& b) {
    Rect rc{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom)};
    return rc.left < rc.right && rc.top < rc.bottom ? rc : Rect{};
}

// Whether the image's pixels are already blue, green, red, ignored in memory.
bool IsBgrx(const XImage* image) {
    return image->bits_per_pixel == 32 && image->red_mask == 0xFF0000 &&
           image->green_mask == 0xFF00 && image->blue_mask == 0xFF &&
           (image->byte_order == LSBFirst) == (std::endian::native == std::endian::little);
}

// One channel of a TrueColor pixel scaled to 0..255.
uint8_t Channel(unsigned long pixel, unsigned long mask) {
    if (mask == 0) {
        return 0;
    }
    int shift = std::countr_zero(mask);
    unsigned long maximum = mask >> shift;
    return uint8_t(((pixel & mask) >> shift) * 255 / maximum);
}

void CopyPixels(XImage* image, PixelImage& into, int32_t intoX, int32_t intoY) {
    for (int32_t y = 0; y < image->height; ++y) {
        uint8_t* out = into.Row(intoY + y) + std::size_t(intoX) * 4;
        if (IsBgrx(image)) {
            std::memcpy(out, image->data + std::size_t(y) * std::size_t(image->bytes_per_line),
                        std::size_t(image->width) * 4);
            continue;
        }
        for (int32_t x = 0; x < image->width; ++x, out += 4) {
            unsigned long pixel = XGetPixel(image, x, y);
            out[0] = Channel(pixel, image->blue_mask);
            out[1] = Channel(pixel, image->green_mask);
            out[2] = Channel(pixel, image->red_mask);
            out[3] = 0;
        }
    }
}

// Blackens the parts of the image (at `area` on the screen) that no monitor shows.
void BlankOutsideMonitors(PixelImage& image, const Rect& area, const std::vector<Rect>& monitors) {
    std::vector<std::pair<int32_t, int32_t>> spans;
    for (int32_t y = area.top; y < area.bottom; ++y) {
        spans.clear();
        for (const Rect& m : monitors) {
            int32_t from = std::max(m.left, area.left);
            int32_t to = std::min(m.right, area.right);
            if (m.top <= y && y < m.bottom && from < to) {
                spans.emplace_back(from, to);
            }
        }
        std::sort(spans.begin(), spans.end());
        uint8_t* row = image.Row(y - area.top);
        int32_t x = area.left;
        spans.emplace_back(area.right, area.right);
        for (auto [from, to] : spans) {
            if (from > x) {
                std::memset(row + std::size_t(x - area.left) * 4, 0, std::size_t(from - x) * 4);
            }
            x = std::max(x, to);
        }
    }
}

}  // namespace

XScreenSource::XScreenSource(const std::string& displayName, Method method)
    : m_display(XDisplay::Open(displayName)) {
    if (!m_display) {
        return;
    }
    m_geometry = std::make_unique<XDesktopGeometryWatch>(m_display->Get());
    if (method == Method::SharedMemory && XShmImage::Available(m_display->Get())) {
        m_shm = std::make_unique<XShmImage>(m_display);
        m_straight = true;
    }
}

XScreenSource::~XScreenSource() = default;

bool XScreenSource::Capture(Rect area, PixelImage& into) {
    std::lock_guard lock(m_mutex);
    if (!area.Valid()) {
        into.Clear();
        return false;
    }
    if (!m_display) {
        into.Reset(area.Width(), area.Height());
        return false;
    }
    const int32_t left = area.left, top = area.top, width = area.Width(), height = area.Height();
    const XDesktopGeometry& geometry = m_geometry->Current();
    Rect readable = Intersect(area, geometry.Root());
    bool whole = readable == area && geometry.InsideOneMonitor(area);
    Point origin = geometry.Origin();
    if (whole && m_straight &&
        ReadStraightInto(left + origin.x, top + origin.y, width, height, into)) {
        return true;
    }
    // Pixels that will all be overwritten need no clearing.
    if (!whole || into.m_iWidth != width || into.m_iHeight != height) {
        into.Reset(width, height);
    }
    if (readable.Width() == 0) {
        return false;
    }
    if (!ReadInto(readable.left + origin.x, readable.top + origin.y, readable.Width(),
                  readable.Height(), into, readable.left - left, readable.top - top)) {
        into.Reset(width, height);
        return false;
    }
    if (!whole) {
        BlankOutsideMonitors(into, area, geometry.Monitors());
    }
    return true;
}

void XScreenSource::Prepare(Rect area, PixelImage& into) {
    Capture(area, into);
}

// Lets the server write into a segment that `into` adopts: the one it holds
// from an earlier capture when that is big enough, else a new one.
bool XScreenSource::ReadStraightInto(int32_t rootX, int32_t rootY, int32_t width, int32_t height,
                                     PixelImage& into) {
    std::size_t bytes = std::size_t(width) * std::size_t(height) * 4;
    std::shared_ptr<XShmImage> segment = SegmentOf(into);
    if (!segment || segment->Capacity() < bytes) {
        segment = std::make_shared<XShmImage>(m_display);
    }
    XImage* image = segment->Read(rootX, rootY, width, height);
    if (!image) {
        return false;
    }
    if (!IsBgrx(image) || std::size_t(image->bytes_per_line) != std::size_t(width) * 4) {
        m_straight = false;  // the server's pixels need converting
        return false;
    }
    if (into.Owner() != segment) {
        m_segments.push_back(segment);
    }
    into.Adopt(segment, segment->Pixels(), segment->Capacity(), width, height);
    return true;
}

std::shared_ptr<XShmImage> XScreenSource::SegmentOf(const PixelImage& image) {
    std::erase_if(m_segments, [](const std::weak_ptr<XShmImage>& s) { return s.expired(); });
    if (!image.Owner()) {
        return nullptr;
    }
    for (const std::weak_ptr<XShmImage>& weak : m_segments) {
        std::shared_ptr<XShmImage> segment = weak.lock();
        if (segment && segment == image.Owner()) {
            return segment;
        }
    }
    return nullptr;
}

bool XScreenSource::ReadInto(int32_t rootX, int32_t rootY, int32_t width, int32_t height,
                             PixelImage& into, int32_t intoX, int32_t intoY) {
    if (m_shm) {
        XImage* image = m_shm->Read(rootX, rootY, width, height);
        if (image) {
            CopyPixels(image, into, intoX, intoY);
        }
        return image != nullptr;
    }
    Display* display = m_display->Get();
    XErrorTrap trap(display);
    const XImagePtr image(XGetImage(display, DefaultRootWindow(display), rootX, rootY,
                                    unsigned(width), unsigned(height), AllPlanes, ZPixmap));
    const bool ok = image && !trap.Failed();
    if (ok) {
        CopyPixels(image.get(), into, intoX, intoY);
    }
    return ok;
}

}  // namespace qrv
