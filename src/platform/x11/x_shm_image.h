#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

using Display = struct _XDisplay;
struct _XImage;

namespace qrv {

class XDisplay;

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
    std::size_t Capacity() const { return m_nCapacity; }

  private:
    bool Fit(int width, int height);
    void ReleaseSegment();

    std::shared_ptr<XDisplay> m_pConnection;
    Display* m_pDisplay;
    _XImage* m_pImage = nullptr;
    void* m_pShmInfo;
    std::size_t m_nCapacity = 0;
};

}  // namespace qrv
