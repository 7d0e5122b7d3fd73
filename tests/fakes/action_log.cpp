#include "fakes/action_log.h"

#include <algorithm>

namespace qrv {

void ActionLog::Add(const std::string& entry) {
    std::lock_guard lock(m_mutex);
    m_entries.push_back(entry);
}

std::vector<std::string> ActionLog::Entries() const {
    std::lock_guard lock(m_mutex);
    return m_entries;
}

std::vector<std::string> ActionLog::WithPrefix(const std::string& prefix) const {
    std::vector<std::string> result;
    for (const std::string& entry : Entries()) {
        if (entry.compare(0, prefix.size(), prefix) == 0) {
            result.push_back(entry.substr(prefix.size()));
        }
    }
    return result;
}

int ActionLog::Count(const std::string& entry) const {
    std::lock_guard lock(m_mutex);
    return static_cast<int>(std::count(m_entries.begin(), m_entries.end(), entry));
}

void ActionLog::Clear() {
    std::lock_guard lock(m_mutex);
    m_entries.clear();
}

}  // namespace qrv
