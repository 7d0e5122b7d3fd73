#pragma once

#include "core/desktop/profile_store.h"
#include "fakes/action_log.h"

namespace qrv {

// Passes every call on to another store and logs it: "get <section>/<key>",
// "write <section>/<key>=<value>".
class RecordingProfileStore : public ProfileStore {
  public:
    RecordingProfileStore(ProfileStore& inner, ActionLog& log) : m_inner(inner), m_log(log) {}
    int32_t GetInt(const std::string& section, const std::string& key, int32_t def) override {
        m_log.Add("get " + section + "/" + key);
        return m_inner.GetInt(section, key, def);
    }
    bool WriteInt(const std::string& section, const std::string& key, int32_t value) override {
        m_log.Add("write " + section + "/" + key + "=" + std::to_string(value));
        return m_inner.WriteInt(section, key, value);
    }
    std::string GetString(const std::string& section, const std::string& key,
                          const std::string& def) override {
        m_log.Add("get " + section + "/" + key);
        return m_inner.GetString(section, key, def);
    }
    bool WriteString(const std::string& section, const std::string& key,
                     const std::string& value) override {
        m_log.Add("write " + section + "/" + key + "=" + value);
        return m_inner.WriteString(section, key, value);
    }

  private:
    ProfileStore& m_inner;
    ActionLog& m_log;
};

}  // namespace qrv
