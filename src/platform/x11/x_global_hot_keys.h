#pragma once

#include <map>
#include <memory>
#include <set>
#include <string>

#include "core/desktop/global_hot_keys.h"
#include "platform/freedesktop/glib_handles.h"

namespace qrv {

class XDisplay;

// Hot keys grabbed on the root window of an X screen. Key events arrive on
// this object's own connection and are handled on the thread that created it,
// by a source on its default GLib main context (which Qt's event loop runs on
// the GUI thread), once per press: auto-repeat is ignored. CapsLock and
// NumLock do not affect a combination.
class XGlobalHotKeys : public GlobalHotKeys {
  public:
    explicit XGlobalHotKeys(const std::string& displayName = {});
    ~XGlobalHotKeys() override;

    bool Connected() const { return m_display != nullptr; }
    bool Register(int id, uint32_t modifiers, uint32_t virtualKey) override;
    void Unregister(int id) override;
    void SetHandler(int id, Handler handler) override;

    // Handles every key event that has arrived; the source calls it.
    void DispatchPending();

  private:
    struct Combination {
        unsigned int keyCode;
        unsigned int modifiers;  // X modifier mask
        friend auto operator<=>(const Combination&, const Combination&) = default;
    };

    bool Grab(const Combination& c);
    void Ungrab(const Combination& c);
    void HandleKey(bool press, const Combination& c);
    // Watches the connection, and Xlib's queue, on the thread's default context.
    void WatchEvents();

    std::unique_ptr<XDisplay> m_display;
    GSourcePtr m_events;
    std::map<int, Combination> m_hotKeys;
    std::set<unsigned int> m_keysDown;
    std::map<int, Handler> m_handlers;
};

}  // namespace qrv
