#pragma once

#include <cstdint>
#include <string>

namespace qrv {

// Per-user persistent key-value settings grouped in sections.
class ProfileStore {
  public:
    virtual ~ProfileStore() = default;
    virtual int32_t GetInt(const std::string& section, const std::string& key, int32_t def) = 0;
    // True when the value was stored.
    virtual bool WriteInt(const std::string& section, const std::string& key, int32_t value) = 0;
    virtual std::string GetString(const std::string& section, const std::string& key,
                                  const std::string& def) = 0;
    virtual bool WriteString(const std::string& section, const std::string& key,
                             const std::string& value) = 0;
};

}  // namespace qrv
