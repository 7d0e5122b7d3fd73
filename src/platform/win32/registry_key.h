#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace qrv::win32 {

// An open registry key, closed on destruction. Values are read only with the
// type asked for; anything else reads as missing.
class RegistryKey {
  public:
    // Opens `path` below `root` for reading; Valid() is false when it is missing.
    static RegistryKey Open(HKEY root, const std::wstring& path);
    // Opens `path` for writing, creating every missing key on the way.
    static RegistryKey Create(HKEY root, const std::wstring& path);

    RegistryKey(RegistryKey&& other) noexcept;
    RegistryKey& operator=(RegistryKey&&) = delete;
    RegistryKey(const RegistryKey&) = delete;
    ~RegistryKey();

    bool Valid() const { return m_key != nullptr; }
    std::optional<DWORD> Dword(const std::wstring& name) const;
    std::optional<std::wstring> String(const std::wstring& name) const;
    bool SetDword(const std::wstring& name, DWORD value);
    bool SetString(const std::wstring& name, const std::wstring& value);

  private:
    explicit RegistryKey(HKEY key) : m_key(key) {}

    HKEY m_key = nullptr;
};

}  // namespace qrv::win32
