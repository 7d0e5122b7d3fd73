#pragma once

#include <X11/Xlib.h>
#include <X11/extensions/XShm.h>

#include <cstddef>
#include <cstdint>
#include <memory>

namespace qrv {

// A shared memory segment mapped into this process and attached to the X
// server; destruction detaches it from both. Lives at a fixed address, as
// images made for it point at its description.
class XShmSegment {
  public:
    // A segment of `bytes`, or null when it cannot be made or attached.
    static std::unique_ptr<XShmSegment> Attach(Display* display, std::size_t bytes);

    ~XShmSegment();
    XShmSegment(const XShmSegment&) = delete;
    XShmSegment& operator=(const XShmSegment&) = delete;

    XShmSegmentInfo* Info() { return &m_info; }
    uint8_t* Bytes() const { return reinterpret_cast<uint8_t*>(m_info.shmaddr); }
    std::size_t Size() const { return m_size; }

  private:
    XShmSegment(Display* display, std::size_t bytes);
    bool Mapped() const;

    Display* m_display;
    std::size_t m_size;
    XShmSegmentInfo m_info{};
    bool m_serverAttached = false;
};

}  // namespace qrv
