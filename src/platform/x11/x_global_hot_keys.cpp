#include "platform/x11/x_global_hot_keys.h"

#include <glib.h>

#include <X11/XKBlib.h>
#include <X11/Xlib.h>

#include <array>

#include "platform/freedesktop/virtual_key_map.h"
#include "platform/x11/x_display.h"
#include "platform/x11/x_error_trap.h"

namespace qrv {
namespace {

// CapsLock and NumLock states a grab must cover.
constexpr std::array<unsigned int, 4> kIgnoredStates{0, LockMask, Mod2Mask, LockMask | Mod2Mask};
constexpr unsigned int kRelevantMask = ShiftMask | ControlMask | Mod1Mask | Mod4Mask;

// Dispatches when the connection has data or Xlib's queue holds events that
// round trips moved there, which polling the connection does not see.
struct XEventSource {
    GSource source;
    XGlobalHotKeys* hotKeys;
    Display* display;
    gpointer fd;
};

gboolean Prepare(GSource* source, gint* timeout) {
    *timeout = -1;
    return XQLength(reinterpret_cast<XEventSource*>(source)->display) > 0;
}

gboolean Check(GSource* source) {
    auto* x = reinterpret_cast<XEventSource*>(source);
    return XQLength(x->display) > 0 || (g_source_query_unix_fd(source, x->fd) & G_IO_IN) != 0;
}

gboolean Dispatch(GSource* source, GSourceFunc, gpointer) {
    reinterpret_cast<XEventSource*>(source)->hotKeys->DispatchPending();
    return G_SOURCE_CONTINUE;
}

GSourceFuncs* XEventFuncs() {
    static GSourceFuncs funcs{&Prepare, &Check, &Dispatch, nullptr, nullptr, nullptr};
    return &funcs;
}

unsigned int XModifiers(uint32_t stored) {
    unsigned int mask = 0;
    mask |= (stored & hot_key_mod::kAlt) ? Mod1Mask : 0;
    mask |= (stored & hot_key_mod::kControl) ? ControlMask : 0;
    mask |= (stored & hot_key_mod::kShift) ? ShiftMask : 0;
    mask |= (stored & hot_key_mod::kWin) ? Mod4Mask : 0;
    return mask;
}

}  // namespace

XGlobalHotKeys::XGlobalHotKeys(const std::string& displayName)
    : m_display(XDisplay::Open(displayName)) {
    if (!m_display) {
        return;
    }
    // Held keys then repeat as presses only, without releases in between.
    Bool supported = False;
    XkbSetDetectableAutoRepeat(m_display->Get(), True, &supported);
    WatchEvents();
}

XGlobalHotKeys::~XGlobalHotKeys() {
    m_events.reset();
    while (!m_hotKeys.empty()) {
        Unregister(m_hotKeys.begin()->first);
    }
}

bool XGlobalHotKeys::Register(int id, uint32_t modifiers, uint32_t virtualKey) {
    Unregister(id);
    uint32_t keySym = KeySymFromVirtualKey(virtualKey & 0xFFFF);
    if (!m_display || keySym == 0) {
        return false;
    }
    Combination c{XKeysymToKeycode(m_display->Get(), keySym), XModifiers(modifiers)};
    for (const auto& [otherId, other] : m_hotKeys) {
        if (other == c) {
            return false;
        }
    }
    if (c.keyCode == 0 || !Grab(c)) {
        return false;
    }
    m_hotKeys[id] = c;
    return true;
}

void XGlobalHotKeys::Unregister(int id) {
    auto it = m_hotKeys.find(id);
    if (it == m_hotKeys.end()) {
        return;
    }
    Ungrab(it->second);
    m_keysDown.erase(it->second.keyCode);
    m_hotKeys.erase(it);
}

void XGlobalHotKeys::SetHandler(int id, Handler handler) {
    if (handler) {
        m_handlers[id] = std::move(handler);
    } else {
        m_handlers.erase(id);
    }
}

// A combination another client holds fails with an access error; the part
// already grabbed is released again.
bool XGlobalHotKeys::Grab(const Combination& c) {
    Display* display = m_display->Get();
    XErrorTrap trap(display);
    for (unsigned int state : kIgnoredStates) {
        XGrabKey(display, int(c.keyCode), c.modifiers | state, m_display->Root(), False,
                 GrabModeAsync, GrabModeAsync);
    }
    bool failed = trap.Failed();
    if (failed) {
        Ungrab(c);
    }
    return !failed;
}

void XGlobalHotKeys::Ungrab(const Combination& c) {
    Display* display = m_display->Get();
    XErrorTrap trap(display);
    for (unsigned int state : kIgnoredStates) {
        XUngrabKey(display, int(c.keyCode), c.modifiers | state, m_display->Root());
    }
    trap.Failed();
}

void XGlobalHotKeys::DispatchPending() {
    Display* display = m_display->Get();
    while (XPending(display) > 0) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == KeyPress || event.type == KeyRelease) {
            HandleKey(event.type == KeyPress,
                      {event.xkey.keycode, event.xkey.state & kRelevantMask});
        }
    }
}

void XGlobalHotKeys::HandleKey(bool press, const Combination& c) {
    if (!press) {
        m_keysDown.erase(c.keyCode);
        return;
    }
    if (!m_keysDown.insert(c.keyCode).second) {
        return;  // auto-repeat of a held key
    }
    for (const auto& [id, hotKey] : m_hotKeys) {
        if (hotKey == c) {
            if (auto found = m_handlers.find(id); found != m_handlers.end()) {
                Handler handler = found->second;  // the handler may replace itself
                handler(id);
            }
            return;
        }
    }
}

void XGlobalHotKeys::WatchEvents() {
    m_events.reset(g_source_new(XEventFuncs(), sizeof(XEventSource)));
    auto* x = reinterpret_cast<XEventSource*>(m_events.get());
    x->hotKeys = this;
    x->display = m_display->Get();
    x->fd = g_source_add_unix_fd(m_events.get(), m_display->Fd(), G_IO_IN);
    GMainContext* context = g_main_context_ref_thread_default();
    g_source_attach(m_events.get(), context);
    g_main_context_unref(context);
}

}  // namespace qrv
