#pragma once

#include <map>
#include <mutex>
#include <set>
#include <string>

#include "core/desktop/global_hot_keys.h"
#include "fakes/action_log.h"

namespace qrv {

// Hot keys held in a table. Logs "hotkey-register <id> <mods> <key>" and
// "hotkey-unregister <id>"; keys in `refused` (held elsewhere) are not
// granted. Press() calls the handler like a real press.
class FakeGlobalHotKeys : public GlobalHotKeys {
  public:
    explicit FakeGlobalHotKeys(ActionLog& log) : m_log(log) {}
    bool Register(int id, uint32_t modifiers, uint32_t virtualKey) override {
        m_log.Add("hotkey-register " + std::to_string(id) + " " + std::to_string(modifiers) + " " +
                  std::to_string(virtualKey));
        std::lock_guard lock(m_mutex);
        if (refused.count(virtualKey) != 0) {
            return false;
        }
        m_registered[id] = {modifiers, virtualKey};
        return true;
    }
    void Unregister(int id) override {
        m_log.Add("hotkey-unregister " + std::to_string(id));
        std::lock_guard lock(m_mutex);
        m_registered.erase(id);
    }
    void SetHandler(int id, Handler handler) override {
        std::lock_guard lock(m_mutex);
        m_handlers[id] = std::move(handler);
    }

    bool IsRegistered(int id) {
        std::lock_guard lock(m_mutex);
        return m_registered.count(id) != 0;
    }
    bool HasHandler(int id) {
        std::lock_guard lock(m_mutex);
        return m_handlers.count(id) != 0 && m_handlers[id];
    }
    // Calls the handler for `id` when that id holds a combination.
    void Press(int id) {
        std::unique_lock lock(m_mutex);
        const Handler handler = m_registered.count(id) != 0 ? m_handlers[id] : nullptr;
        lock.unlock();
        if (handler) {
            handler(id);
        }
    }

    std::set<uint32_t> refused;

  private:
    ActionLog& m_log;
    std::mutex m_mutex;
    std::map<int, std::pair<uint32_t, uint32_t>> m_registered;
    std::map<int, Handler> m_handlers;
};

}  // namespace qrv
