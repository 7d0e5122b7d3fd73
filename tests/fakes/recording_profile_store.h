#pragma once

#include "fakes/action_log.h"
#include "settings/profile_store.h"

namespace qrv {

// Passes every call on to another store and logs it: "get <section>/<key>",
// "write <section>/<key>=<value>".
class RecordingProfileStore : public ProfileStore {
  public:
    RecordingProfileStore(ProfileStore& inner, ActionLog& log);
    int32_t GetInt(const std::string& section, const std::string& key, int32_t def) override;
    bool WriteInt(const std::string& section, const std::string& key, int32_t value) override;
    std::string GetString(const std::string& section, const std::string& key,
                          const std::string& def) override;
    bool WriteString(const std::string& section, const std::string& key,
                     const std::string& value) override;

  private:
    ProfileStore& m_inner;
    ActionLog& m_log;
};

}  // namespace qrv
