#include "fakes/fake_global_hot_keys.h"

#include <string>

namespace qrv {

FakeGlobalHotKeys::FakeGlobalHotKeys(ActionLog& log) : m_log(log) {}

bool FakeGlobalHotKeys::Register(int id, uint32_t modifiers, uint32_t virtualKey) {
    m_log.Add("hotkey-register " + std::to_string(id) + " " + std::to_string(modifiers) + " " +
              std::to_string(virtualKey));
    std::lock_guard lock(m_mutex);
    m_registered.erase(id);
    m_registered[id] = {modifiers, virtualKey};
    return true;
}

void FakeGlobalHotKeys::Unregister(int id) {
    m_log.Add("hotkey-unregister " + std::to_string(id));
    std::lock_guard lock(m_mutex);
    m_registered.erase(id);
}

void FakeGlobalHotKeys::SetHandler(Handler handler) {
    std::lock_guard lock(m_mutex);
    m_handler = std::move(handler);
}

bool FakeGlobalHotKeys::IsRegistered(int id) const {
    std::lock_guard lock(m_mutex);
    return m_registered.count(id) != 0;
}

void FakeGlobalHotKeys::Press(int id) {
    Handler handler;
    {
        std::lock_guard lock(m_mutex);
        if (m_registered.count(id) == 0) {
            return;
        }
        handler = m_handler;
    }
    if (handler) {
        handler(id);
    }
}

}  // namespace qrv
