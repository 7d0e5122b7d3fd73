#pragma once

#include <map>
#include <mutex>
#include <utility>

#include "fakes/action_log.h"
#include "search/global_hot_keys.h"

namespace qrv {

// Hot keys held in a table. Logs "hotkey-register <id> <mods> <key>" and
// "hotkey-unregister <id>"; Press() calls the handler like a real press.
class FakeGlobalHotKeys : public GlobalHotKeys {
  public:
    explicit FakeGlobalHotKeys(ActionLog& log);
    bool Register(int id, uint32_t modifiers, uint32_t virtualKey) override;
    void Unregister(int id) override;
    void SetHandler(Handler handler) override;

    bool IsRegistered(int id) const;
    // Calls the handler for `id` when that id holds a combination.
    void Press(int id);

  private:
    using Combination = std::pair<uint32_t, uint32_t>;
    ActionLog& m_log;
    mutable std::mutex m_mutex;
    std::map<int, Combination> m_registered;
    Handler m_handler;
};

}  // namespace qrv
