#pragma once

#include <cstdint>
#include <mutex>
#include <optional>
#include <string>

#include "core/desktop/instance_numbering.h"
#include "core/desktop/profile_store.h"
#include "core/desktop/top_level_windows.h"
#include "core/settings/setting_keys.h"

namespace qrv {

// The program's view of the profile: per-instance section numbering and typed
// access through the key table.
class Profile {
  public:
    // `numbering`, where given, claims the instance number.
    Profile(ProfileStore& store, TopLevelWindows& windows, InstanceNumbering* numbering = nullptr);

    // The number of visible, enabled, non-maximised windows titled with the
    // application name, plus one; where there is a numbering, the lowest
    // number from there up that no other instance has claimed (a sibling
    // starting at the same moment has no window yet). Computed once and
    // cached.
    int32_t InstanceNumber();
    // "Instance %d" with InstanceNumber() + 1.
    std::string GetInstanceSection();

    int32_t GetInstanceInt(const std::string& key, int32_t def);
    bool WriteInstanceInt(const std::string& key, int32_t value);
    std::string GetInstanceString(const std::string& key, const std::string& def);
    bool WriteInstanceString(const std::string& key, const std::string& value);

    int32_t Get(const IntSetting& setting);
    bool Write(const IntSetting& setting, int32_t value);
    std::string Get(const StringSetting& setting);
    std::string Get(const StringSetting& setting, const std::string& def);
    bool Write(const StringSetting& setting, const std::string& value);

    ProfileStore& Store() { return m_store; }

  private:
    std::string SectionName(Section section);
    int32_t CountInstanceWindows();

    ProfileStore& m_store;
    TopLevelWindows& m_windows;
    InstanceNumbering* m_numbering;
    std::mutex m_mutex;
    std::optional<int32_t> m_instanceNumber;
};

}  // namespace qrv
