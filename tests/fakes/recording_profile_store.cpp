#include "fakes/recording_profile_store.h"

namespace qrv {

RecordingProfileStore::RecordingProfileStore(ProfileStore& inner, ActionLog& log)
    : m_inner(inner), m_log(log) {}

int32_t RecordingProfileStore::GetInt(const std::string& section, const std::string& key,
                                      int32_t def) {
    m_log.Add("get " + section + "/" + key);
    return m_inner.GetInt(section, key, def);
}

bool RecordingProfileStore::WriteInt(const std::string& section, const std::string& key,
                                     int32_t value) {
    m_log.Add("write " + section + "/" + key + "=" + std::to_string(value));
    return m_inner.WriteInt(section, key, value);
}

std::string RecordingProfileStore::GetString(const std::string& section, const std::string& key,
                                             const std::string& def) {
    m_log.Add("get " + section + "/" + key);
    return m_inner.GetString(section, key, def);
}

bool RecordingProfileStore::WriteString(const std::string& section, const std::string& key,
                                        const std::string& value) {
    m_log.Add("write " + section + "/" + key + "=" + value);
    return m_inner.WriteString(section, key, value);
}

}  // namespace qrv
