#include "platform/win32/registry_profile_store.h"

#include "core/settings/setting_keys.h"
#include "platform/win32/registry_key.h"
#include "platform/win32/wide_text.h"

namespace qrv::win32 {

RegistryProfileStore::RegistryProfileStore(std::wstring companyKey, std::wstring appKey)
    : m_basePath(L"Software\\" + companyKey + L"\\" + (appKey.empty() ? Widen(kAppName) : appKey)) {
}

std::wstring RegistryProfileStore::SectionPath(const std::string& section) const {
    return m_basePath + L"\\" + Widen(section);
}

int32_t RegistryProfileStore::GetInt(const std::string& section, const std::string& key,
                                     int32_t def) {
    const auto value = RegistryKey::Open(HKEY_CURRENT_USER, SectionPath(section)).Dword(Widen(key));
    return value ? int32_t(*value) : def;
}

bool RegistryProfileStore::WriteInt(const std::string& section, const std::string& key,
                                    int32_t value) {
    return RegistryKey::Create(HKEY_CURRENT_USER, SectionPath(section))
        .SetDword(Widen(key), DWORD(value));
}

std::string RegistryProfileStore::GetString(const std::string& section, const std::string& key,
                                            const std::string& def) {
    const auto value =
        RegistryKey::Open(HKEY_CURRENT_USER, SectionPath(section)).String(Widen(key));
    return value ? Narrow(*value) : def;
}

bool RegistryProfileStore::WriteString(const std::string& section, const std::string& key,
                                       const std::string& value) {
    return RegistryKey::Create(HKEY_CURRENT_USER, SectionPath(section))
        .SetString(Widen(key), Widen(value));
}

}  // namespace qrv::win32
