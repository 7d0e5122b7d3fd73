#include "platform/x11/x_window_properties.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include "core/colors/latin1_text.h"
#include "platform/x11/x_error_trap.h"
#include "platform/x11/x_handles.h"

namespace qrv {
namespace {

// One property read: the data as Xlib returns it, freed on destruction.
struct PropertyData {
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    XPtr<unsigned char> data;

    PropertyData(Display* display, Window window, Atom property, Atom requested) {
        XErrorTrap trap(display);
        unsigned long remaining = 0;
        unsigned char* reply = nullptr;
        const bool ok = XGetWindowProperty(display, window, property, 0, 1 << 20, False, requested,
                                           &type, &format, &count, &remaining, &reply) == Success;
        data.reset(reply);
        if (!ok || trap.Failed()) {
            data.reset();
            count = 0;
        }
    }
};

}  // namespace

XWindowProperties::XWindowProperties(Display* display, unsigned long window)
    : m_display(display), m_window(window) {}

std::vector<unsigned long> XWindowProperties::Longs(const char* property,
                                                    unsigned long type) const {
    PropertyData p(m_display, m_window, XInternAtom(m_display, property, False), type);
    if (!p.data || p.format != 32 || p.type != type) {
        return {};
    }
    // Xlib hands 32-bit items out as longs.
    const auto* items = reinterpret_cast<const unsigned long*>(p.data.get());
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

std::string XWindowProperties::Bytes(const char* property, unsigned long type,
                                     unsigned long* actualType) const {
    PropertyData p(m_display, m_window, XInternAtom(m_display, property, False), type);
    if (!p.data || p.format != 8) {
        return {};
    }
    if (actualType) {
        *actualType = p.type;
    }
    return {reinterpret_cast<const char*>(p.data.get()), p.count};
}

std::string XWindowProperties::Title() const {
    const Atom utf8 = XInternAtom(m_display, "UTF8_STRING", False);
    std::string title = Bytes("_NET_WM_NAME", utf8);
    if (!title.empty()) {
        return title;
    }
    // STRING is Latin-1, and so is compound text until it switches sets.
    unsigned long type = None;
    title = Bytes("WM_NAME", AnyPropertyType, &type);
    return type == utf8 ? title : Latin1ToUtf8(title);
}

bool XWindowProperties::Has(const char* property) const {
    PropertyData p(m_display, m_window, XInternAtom(m_display, property, False), AnyPropertyType);
    return p.type != None;
}

}  // namespace qrv
