#pragma once

#include <map>
#include <mutex>
#include <set>
#include <string>
#include <utility>

#include "core/desktop/profile_store.h"

namespace qrv {

// A profile kept in memory: for tests, and for front ends that must not touch
// the user's stored settings. Safe to use from several threads.
class MemoryProfileStore : public ProfileStore {
  public:
    int32_t GetInt(const std::string& section, const std::string& key, int32_t def) override;
    std::string GetString(const std::string& section, const std::string& key,
                          const std::string& def) override;
    bool WriteInt(const std::string& section, const std::string& key, int32_t value) override;
    bool WriteString(const std::string& section, const std::string& key,
                     const std::string& value) override;

    // True when the section holds a value of either type under the key.
    bool Contains(const std::string& section, const std::string& key);
    // Makes later writes of this key fail in every section.
    void FailWritesOf(const std::string& key);

  private:
    using Slot = std::pair<std::string, std::string>;
    bool WriteAllowed(const std::string& key) const;

    std::mutex m_mutex;
    std::map<Slot, int32_t> m_ints;
    std::map<Slot, std::string> m_strings;
    std::set<std::string> m_failingKeys;
};

}  // namespace qrv
