#include "platform/win32/known_folders.h"

#include <knownfolders.h>
#include <shlobj.h>
#include <windows.h>

#include "platform/win32/wide_text.h"

namespace qrv::win32 {
namespace {

std::string KnownFolder(REFKNOWNFOLDERID id) {
    PWSTR path = nullptr;
    std::string folder;
    if (SUCCEEDED(SHGetKnownFolderPath(id, KF_FLAG_DEFAULT, nullptr, &path))) {
        folder = Narrow(path);
    }
    CoTaskMemFree(path);
    return folder;
}

}  // namespace

std::string LocalAppDataFolder() {
    return KnownFolder(FOLDERID_LocalAppData);
}

std::string DesktopFolder() {
    return KnownFolder(FOLDERID_Desktop);
}

}  // namespace qrv::win32
