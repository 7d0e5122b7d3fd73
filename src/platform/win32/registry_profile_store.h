#pragma once

#include <string>

#include "core/desktop/profile_store.h"

namespace qrv::win32 {

// The profile in the registry below HKEY_CURRENT_USER\Software\<company>\<app>:
// a section is a subkey, integers are REG_DWORD and strings REG_SZ values.
// Every write goes to the registry at once, so there is nothing left to save.
class RegistryProfileStore : public ProfileStore {
  public:
    // The company key of the program's profile ends with a blank.
    static constexpr const wchar_t* kCompanyKey = L"Tolbrin ";

    // `appKey` empty: the program's title.
    explicit RegistryProfileStore(std::wstring companyKey = kCompanyKey, std::wstring appKey = {});

    // "Software\<company>\<app>", the key that holds the sections.
    const std::wstring& BasePath() const { return m_basePath; }

    std::string GetString(const std::string& section, const std::string& key,
                          const std::string& def) override;
    bool WriteString(const std::string& section, const std::string& key,
                     const std::string& value) override;
    int32_t GetInt(const std::string& section, const std::string& key, int32_t def) override;
    bool WriteInt(const std::string& section, const std::string& key, int32_t value) override;

  private:
    std::wstring SectionPath(const std::string& section) const;

    std::wstring m_basePath;
};

}  // namespace qrv::win32
