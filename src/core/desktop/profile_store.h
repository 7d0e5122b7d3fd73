#pragma once

#include <cstdint>
#include <functional>
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

    // Writes what is still unsaved to lasting storage; false when that failed,
    // after telling the failure report why. Stores that write at once keep
    // this default.
    virtual bool Save() { return true; }
    using FailureReport = std::function<void(const std::string& reason)>;
    virtual void SetFailureReport(FailureReport /*report*/) {}
};

}  // namespace qrv
