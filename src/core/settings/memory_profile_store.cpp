#include "core/settings/memory_profile_store.h"

namespace qrv {

int32_t MemoryProfileStore::GetInt(const std::string& section, const std::string& key,
                                   int32_t def) {
    std::lock_guard lock(m_mutex);
    auto it = m_ints.find({section, key});
    return it == m_ints.end() ? def : it->second;
}

bool MemoryProfileStore::WriteInt(const std::string& section, const std::string& key,
                                  int32_t value) {
    std::lock_guard lock(m_mutex);
    if (!WriteAllowed(key)) {
        return false;
    }
    m_strings.erase({section, key});
    m_ints[{section, key}] = value;
    return true;
}

std::string MemoryProfileStore::GetString(const std::string& section, const std::string& key,
                                          const std::string& def) {
    std::lock_guard lock(m_mutex);
    auto it = m_strings.find({section, key});
    return it == m_strings.end() ? def : it->second;
}

bool MemoryProfileStore::WriteString(const std::string& section, const std::string& key,
                                     const std::string& value) {
    std::lock_guard lock(m_mutex);
    if (!WriteAllowed(key)) {
        return false;
    }
    m_ints.erase({section, key});
    m_strings[{section, key}] = value;
    return true;
}

bool MemoryProfileStore::Contains(const std::string& section, const std::string& key) {
    std::lock_guard lock(m_mutex);
    return m_ints.count({section, key}) != 0 || m_strings.count({section, key}) != 0;
}

void MemoryProfileStore::FailWritesOf(const std::string& key) {
    std::lock_guard lock(m_mutex);
    m_failingKeys.insert(key);
}

bool MemoryProfileStore::WriteAllowed(const std::string& key) const {
    return m_failingKeys.count(key) == 0;
}

}  // namespace qrv
