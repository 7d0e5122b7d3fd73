#pragma once

#include <map>
#include <memory>
#include <set>

#include "core/desktop/global_hot_keys.h"

namespace qrv::win32 {

class MessageWindow;

// RegisterHotKey on a message-only window of the creating thread (the GUI
// thread), whose message loop delivers WM_HOTKEY to the handler. The stored
// modifier flags are the system's own; holding a key down does not repeat.
class Win32GlobalHotKeys : public GlobalHotKeys {
  public:
    Win32GlobalHotKeys();
    ~Win32GlobalHotKeys() override;

    bool Connected() const;
    bool Register(int id, uint32_t modifiers, uint32_t virtualKey) override;
    void Unregister(int id) override;
    void SetHandler(int id, Handler handler) override;

  private:
    std::unique_ptr<MessageWindow> m_window;
    std::set<int> m_ids;
    std::map<int, Handler> m_handlers;
};

}  // namespace qrv::win32
