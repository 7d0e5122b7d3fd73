#pragma once

#include <algorithm>
#include <mutex>
#include <string>
#include <vector>

namespace qrv {

// An ordered, thread-safe record of what the fakes were asked to do, one
// short text per call ("down", "status 1 Searching...").
class ActionLog {
  public:
    void Add(const std::string& entry) {
        std::lock_guard lock(m_mutex);
        m_entries.push_back(entry);
    }
    std::vector<std::string> Entries() const {
        std::lock_guard lock(m_mutex);
        return m_entries;
    }
    // Entries starting with `prefix`, with the prefix removed.
    std::vector<std::string> WithPrefix(const std::string& prefix) const {
        std::vector<std::string> result;
        for (const std::string& entry : Entries()) {
            if (entry.compare(0, prefix.size(), prefix) == 0) {
                result.push_back(entry.substr(prefix.size()));
            }
        }
        return result;
    }
    int Count(const std::string& entry) const {
        std::lock_guard lock(m_mutex);
        return static_cast<int>(std::count(m_entries.begin(), m_entries.end(), entry));
    }
    void Clear() {
        std::lock_guard lock(m_mutex);
        m_entries.clear();
    }

  private:
    mutable std::mutex m_mutex;
    std::vector<std::string> m_entries;
};

}  // namespace qrv
