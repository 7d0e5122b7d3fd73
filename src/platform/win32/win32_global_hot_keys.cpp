#include "platform/win32/win32_global_hot_keys.h"

#include <windows.h>

#include "platform/win32/message_window.h"

namespace qrv::win32 {
namespace {

constexpr uint32_t kKnownModifiers =
    hot_key_mod::kAlt | hot_key_mod::kControl | hot_key_mod::kShift | hot_key_mod::kWin;

}  // namespace

Win32GlobalHotKeys::Win32GlobalHotKeys()
    : m_window(std::make_unique<MessageWindow>([this](UINT message, WPARAM wParam, LPARAM) {
          if (message != WM_HOTKEY) {
              return false;
          }
          const auto handler = m_handlers.find(int(wParam));
          if (handler != m_handlers.end()) {
              // A copy: the handler may replace itself.
              Handler call = handler->second;
              call(int(wParam));
          }
          return true;
      })) {}

Win32GlobalHotKeys::~Win32GlobalHotKeys() {
    for (int id : m_ids) {
        UnregisterHotKey(m_window->Handle(), id);
    }
}

bool Win32GlobalHotKeys::Connected() const {
    return m_window->Handle() != nullptr;
}

bool Win32GlobalHotKeys::Register(int id, uint32_t modifiers, uint32_t virtualKey) {
    Unregister(id);
    if (!Connected() || virtualKey == 0 || virtualKey > 0xFF) {
        return false;
    }
    if (!RegisterHotKey(m_window->Handle(), id, (modifiers & kKnownModifiers) | MOD_NOREPEAT,
                        virtualKey)) {
        return false;
    }
    m_ids.insert(id);
    return true;
}

void Win32GlobalHotKeys::Unregister(int id) {
    if (m_ids.erase(id) > 0) {
        UnregisterHotKey(m_window->Handle(), id);
    }
}

void Win32GlobalHotKeys::SetHandler(int id, Handler handler) {
    if (handler) {
        m_handlers[id] = std::move(handler);
    } else {
        m_handlers.erase(id);
    }
}

}  // namespace qrv::win32
