#pragma once

#include <memory>
#include <mutex>
#include <vector>

#include "core/desktop/keyboard_injector.h"
#include "platform/portal/portal_session.h"
#include "platform/wayland_client/layout_keysyms.h"

namespace qrv {

// Keys and text through the desktop portal's RemoteDesktop session. The
// desktop presses the key of its layout that makes a keysym, with Shift or
// AltGr as that needs, and drops a keysym its layout lacks (GNOME, KDE);
// such a character is typed by its code instead: Ctrl+Shift+U, the code in
// hexadecimal, space, which GTK applications and input methods take, most
// others not. Modifiers pressed through Key are let go while a character is
// typed and pressed again after it. Safe to use from several threads.
class PortalKeyboardInjector : public KeyboardInjector {
  public:
    // `layout`: the keysyms the desktop's keyboard layout reaches.
    PortalKeyboardInjector(std::shared_ptr<PortalSession> session, LayoutKeysyms layout);

    void Key(uint32_t keysym, bool down) override;
    void Type(char32_t codePoint) override;

  private:
    void Send(uint32_t keysym, bool down);
    void Tap(uint32_t keysym);
    void TypeByCode(char32_t codePoint);

    std::shared_ptr<PortalSession> m_session;
    LayoutKeysyms m_layout;
    std::vector<uint32_t> m_heldModifiers;
    std::mutex m_mutex;
};

}  // namespace qrv
