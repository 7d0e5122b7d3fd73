#include "platform/win32/registry_key.h"

namespace qrv::win32 {
namespace {

// Strings longer than this read as missing rather than being allocated.
constexpr DWORD kMaxStringBytes = 1 << 20;

}  // namespace

RegistryKey RegistryKey::Open(HKEY root, const std::wstring& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
        key = nullptr;
    }
    return RegistryKey(key);
}

RegistryKey RegistryKey::Create(HKEY root, const std::wstring& path) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_READ | KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS) {
        key = nullptr;
    }
    return RegistryKey(key);
}

RegistryKey::RegistryKey(RegistryKey&& other) noexcept : m_key(other.m_key) {
    other.m_key = nullptr;
}

RegistryKey::~RegistryKey() {
    if (m_key) {
        RegCloseKey(m_key);
    }
}

std::optional<DWORD> RegistryKey::Dword(const std::wstring& name) const {
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof value;
    if (!m_key ||
        RegQueryValueExW(m_key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value),
                         &size) != ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof value) {
        return std::nullopt;
    }
    return value;
}

std::optional<std::wstring> RegistryKey::String(const std::wstring& name) const {
    DWORD type = 0;
    DWORD size = 0;
    if (!m_key ||
        RegQueryValueExW(m_key, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        type != REG_SZ || size > kMaxStringBytes) {
        return std::nullopt;
    }
    std::wstring value(size / sizeof(wchar_t) + 1, L'\0');
    size = DWORD(value.size() * sizeof(wchar_t));
    if (RegQueryValueExW(m_key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(value.data()),
                         &size) != ERROR_SUCCESS ||
        type != REG_SZ) {
        return std::nullopt;
    }
    // The stored string may or may not end with its terminator.
    value.resize(size / sizeof(wchar_t));
    while (!value.empty() && value.back() == L'\0') {
        value.pop_back();
    }
    return value;
}

bool RegistryKey::SetDword(const std::wstring& name, DWORD value) {
    return m_key &&
           RegSetValueExW(m_key, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                          sizeof value) == ERROR_SUCCESS;
}

bool RegistryKey::SetString(const std::wstring& name, const std::wstring& value) {
    const DWORD bytes = DWORD((value.size() + 1) * sizeof(wchar_t));
    return m_key &&
           RegSetValueExW(m_key, name.c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(value.c_str()), bytes) == ERROR_SUCCESS;
}

}  // namespace qrv::win32
