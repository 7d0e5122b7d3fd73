#include "platform/win32/known_folder_user_folders.h"

#include <windows.h>

#include <knownfolders.h>
#include <shlobj.h>

#include "core/settings/setting_keys.h"
#include "platform/win32/wide_text.h"

namespace qrv::win32 {
namespace {

std::wstring KnownFolder(REFKNOWNFOLDERID id, DWORD flags) {
    PWSTR path = nullptr;
    std::wstring folder;
    if (SUCCEEDED(SHGetKnownFolderPath(id, flags, nullptr, &path))) {
        folder = path;
    }
    CoTaskMemFree(path);
    return folder;
}

// `folder`, created when missing, or `fallback` when it cannot be.
std::wstring MadeOr(const std::wstring& folder, const std::wstring& fallback) {
    if (CreateDirectoryW(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS) {
        return folder;
    }
    return fallback;
}

std::wstring Desktop() {
    const std::wstring desktop = KnownFolder(FOLDERID_Desktop, KF_FLAG_CREATE);
    return desktop.empty() ? KnownFolder(FOLDERID_Profile, KF_FLAG_DEFAULT) : desktop;
}

}  // namespace

std::string KnownFolderUserFolders::LocalDataFolder() {
    return Narrow(KnownFolder(FOLDERID_LocalAppData, KF_FLAG_DEFAULT));
}

std::string KnownFolderUserFolders::DesktopFolder() {
    return Narrow(Desktop());
}

std::string KnownFolderUserFolders::DesktopAppFolder() {
    const std::wstring desktop = Desktop();
    return Narrow(MadeOr(desktop + L"\\" + Widen(kAppName), desktop));
}

}  // namespace qrv::win32
