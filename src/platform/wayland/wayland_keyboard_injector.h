#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "core/desktop/keyboard_injector.h"
#include "platform/wayland/virtual_keymap.h"

struct zwp_virtual_keyboard_v1;

namespace qrv {

class WaylandDisplay;

// Keys and text through a virtual keyboard on the compositor's seat, with a
// keymap of this program's own (VirtualKeymap) over the keys of the seat's
// keymap: any keysym has a key, so any character can be typed whatever the
// user's layout, and the layout's own keysyms keep their keys. Each call
// returns once the compositor has taken its events. Safe to use from several
// threads.
class WaylandKeyboardInjector : public KeyboardInjector {
  public:
    explicit WaylandKeyboardInjector(const std::string& displayName = {});
    ~WaylandKeyboardInjector() override;
    WaylandKeyboardInjector(const WaylandKeyboardInjector&) = delete;
    WaylandKeyboardInjector& operator=(const WaylandKeyboardInjector&) = delete;

    // False without a compositor or without virtual keyboards.
    bool Connected() const { return m_keyboard != nullptr; }
    void Key(uint32_t keysym, bool down) override;
    void Type(char32_t codePoint) override;

  private:
    // The key of `keysym`, sending the keymap first when it had to change.
    uint32_t KeyOf(uint32_t keysym);
    // False when the keymap cannot be put in a file.
    bool SendKeymap();
    void SendKey(uint32_t code, bool down);
    void SendModifiers(uint32_t mask);
    uint32_t HeldModifiers() const;
    // Waits until the compositor has handled every request sent so far.
    void Settle();

    std::shared_ptr<WaylandDisplay> m_display;
    zwp_virtual_keyboard_v1* m_keyboard = nullptr;
    VirtualKeymap m_keymap;
    std::vector<uint32_t> m_held;  // keysyms pressed and not yet released
    std::mutex m_mutex;
};

}  // namespace qrv
