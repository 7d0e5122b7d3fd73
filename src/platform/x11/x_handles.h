#pragma once

#include <memory>

struct _XImage;
struct _XkbDesc;
struct _XRRMonitorInfo;

namespace qrv {

// Deleters that hand memory Xlib allocated back to it. The declarations keep
// the X headers out of the headers that hold such pointers.
struct XFreeDeleter {
    void operator()(void* memory) const;
};
struct XImageDeleter {
    void operator()(_XImage* image) const;
};
struct XkbDescDeleter {
    void operator()(_XkbDesc* keyboard) const;
};
struct XRRMonitorsDeleter {
    void operator()(_XRRMonitorInfo* monitors) const;
};

// A reply buffer of Xlib: property data, a window's children.
template <typename T>
using XPtr = std::unique_ptr<T, XFreeDeleter>;
using XImagePtr = std::unique_ptr<_XImage, XImageDeleter>;
using XkbKeyboardPtr = std::unique_ptr<_XkbDesc, XkbDescDeleter>;
using XRRMonitorsPtr = std::unique_ptr<_XRRMonitorInfo, XRRMonitorsDeleter>;

}  // namespace qrv
