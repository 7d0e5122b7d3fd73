#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "core/desktop/keyboard_injector.h"

namespace qrv {

class XBorrowedKey;
class XDisplay;
class XKeyboardMap;

// Keys and text through the XTest extension, looked up in the keyboard
// mapping of the moment. A symbol the layout lacks is typed on a spare key
// mapped to it for the moment. Safe to use from several threads.
class XKeyboardInjector : public KeyboardInjector {
  public:
    explicit XKeyboardInjector(const std::string& displayName = {});
    ~XKeyboardInjector() override;

    // False without a server, or without XTest or XKB.
    bool Connected() const { return m_display != nullptr; }
    void Key(uint32_t keysym, bool down) override;
    void Type(char32_t codePoint) override;

  private:
    // A key pressed with Key() and not yet released; a borrowed one stays
    // mapped until then.
    struct HeldKey {
        uint8_t keycode = 0;
        std::unique_ptr<XBorrowedKey> borrowed;
    };

    void Press(uint32_t keysym);
    void Release(uint32_t keysym);
    void Strike(uint8_t keycode, bool shift);
    XKeyboardMap ReadMap() const;
    std::unique_ptr<XBorrowedKey> Borrow(const XKeyboardMap& map, uint32_t keysym,
                                         const std::string& what) const;
    void FakeKey(uint8_t keycode, bool down) const;

    std::unique_ptr<XDisplay> m_display;
    std::map<uint32_t, HeldKey> m_held;  // by keysym
    std::mutex m_mutex;
};

}  // namespace qrv
