#pragma once

#include <cstddef>

using Display = struct _XDisplay;
struct _XImage;

namespace qrv {

// A screen image in a shared memory segment attached to the X server, so that
// the server writes pixels straight into this process's memory. The segment
// is kept and only grows; reading a smaller area reuses it.
class XShmImage {
  public:
    explicit XShmImage(Display* display);
    ~XShmImage();
    XShmImage(const XShmImage&) = delete;
    XShmImage& operator=(const XShmImage&) = delete;

    // Whether the server offers shared memory images to this client.
    static bool Available(Display* display);

    // Reads width x height pixels of the root window at (x, y), which must lie
    // inside the root. Returns the image, or null on failure.
    _XImage* Read(int x, int y, int width, int height);

  private:
    bool Fit(int width, int height);
    void ReleaseSegment();

    Display* m_pDisplay;
    _XImage* m_pImage = nullptr;
    void* m_pShmInfo;
    std::size_t m_nCapacity = 0;
};

}  // namespace qrv
