#pragma once

#include <mutex>
#include <string>
#include <vector>

namespace qrv {

// An ordered, thread-safe record of what the fakes were asked to do, one
// short text per call ("down", "status 1 Searching...").
class ActionLog {
  public:
    void Add(const std::string& entry);
    std::vector<std::string> Entries() const;
    // Entries starting with `prefix`, with the prefix removed.
    std::vector<std::string> WithPrefix(const std::string& prefix) const;
    int Count(const std::string& entry) const;
    void Clear();

  private:
    mutable std::mutex m_mutex;
    std::vector<std::string> m_entries;
};

}  // namespace qrv
