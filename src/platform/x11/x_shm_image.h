#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "platform/x11/x_handles.h"

using Display = struct _XDisplay;

namespace qrv {

class XDisplay;
class XShmSegment;

// A screen image in a shared memory segment attached to the X server, so that
// the server writes pixels straight into this process's memory. The segment
// is kept and only grows; reading a smaller area reuses it. Keeps the
// connection open while it lives, so it may outlast its creator.
class XShmImage {
  public:
    explicit XShmImage(std::shared_ptr<XDisplay> display);
    ~XShmImage();
    XShmImage(const XShmImage&) = delete;
    XShmImage& operator=(const XShmImage&) = delete;

    // Whether the server offers shared memory images to this client.
    static bool Available(Display* display);

    // Reads width x height pixels of the root window at (x, y), which must lie
    // inside the root. Returns the image, or null on failure.
    _XImage* Read(int x, int y, int width, int height);

    // The segment's memory, where Read places the pixels; null before a read.
    uint8_t* Pixels() const;
    std::size_t Capacity() const;

  private:
    bool Fit(int width, int height);
    XImagePtr CreateImage(int width, int height, XShmSegment* segment) const;

    std::shared_ptr<XDisplay> m_connection;
    Display* m_display;
    // The image header points into the segment: it goes first.
    std::unique_ptr<XShmSegment> m_segment;
    XImagePtr m_image;
};

}  // namespace qrv
