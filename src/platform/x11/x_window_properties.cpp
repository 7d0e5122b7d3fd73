#include "x11/x_window_properties.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include "x11/x_error_trap.h"

namespace qrv {
namespace {

// One property read: the data as Xlib returns it, freed on destruction.
struct PropertyData {
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned char* data = nullptr;

    PropertyData(Display* display, Window window, Atom property, Atom requested) {
        XErrorTrap trap(display);
        unsigned long remaining = 0;
        if (XGetWindowProperty(display, window, property, 0, 1 << 20, False, requested, &type,
                               &format, &count, &remaining, &data) != Success ||
            trap.Failed()) {
            Free();
        }
    }
    ~PropertyData() { Free(); }
    PropertyData(const PropertyData&) = delete;
    PropertyData& operator=(const PropertyData&) = delete;

    void Free() {
        if (data) {
            XFree(data);
        }
        data = nullptr;
        count = 0;
    }
};

}  // namespace

XWindowProperties::XWindowProperties(Display* display, unsigned long window)
    : m_pDisplay(display), m_window(window) {}

std::vector<unsigned long> XWindowProperties::Longs(const char* property,
                                                    unsigned long type) const {
    PropertyData p(m_pDisplay, m_window, XInternAtom(m_pDisplay, property, False), type);
    if (!p.data || p.format != 32 || p.type != type) {
        return {};
    }
    // Xlib hands 32-bit items out as longs.
    const auto* items = reinterpret_cast<const unsigned long*>(p.data);
    return {items, items + p.count};
}

std::optional<unsigned long> XWindowProperties::Long(const char* property,
                                                     unsigned long type) const {
    std::vector<unsigned long> items = Longs(property, type);
    if (items.empty()) {
        return std::nullopt;
    }
    return items.front();
}

std::string XWindowProperties::Bytes(const char* property, unsigned long type) const {
    PropertyData p(m_pDisplay, m_window, XInternAtom(m_pDisplay, property, False), type);
    if (!p.data || p.format != 8) {
        return {};
    }
    return {reinterpret_cast<const char*>(p.data), p.count};
}

std::string XWindowProperties::Title() const {
    std::string title = Bytes("_NET_WM_NAME", XInternAtom(m_pDisplay, "UTF8_STRING", False));
    return title.empty() ? Bytes("WM_NAME", AnyPropertyType) : title;
}

bool XWindowProperties::Has(const char* property) const {
    PropertyData p(m_pDisplay, m_window, XInternAtom(m_pDisplay, property, False), AnyPropertyType);
    return p.type != None;
}

}  // namespace qrv
