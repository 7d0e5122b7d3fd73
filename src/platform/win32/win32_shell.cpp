#include "platform/win32/win32_shell.h"

#include <windows.h>

#include <shellapi.h>
#include <shlobj.h>

#include "platform/win32/com_apartment.h"
#include "platform/win32/wide_text.h"

namespace qrv::win32 {

bool Win32Shell::ShellExecuteWith(const std::wstring& file, const std::wstring& verb,
                                  unsigned long mask) {
    ComApartment com(ComApartment::Kind::SingleThreaded);
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    // The calling thread may end before an asynchronous start would finish.
    info.fMask = mask | SEE_MASK_NOASYNC | (m_errorUi ? 0 : SEE_MASK_FLAG_NO_UI);
    info.lpVerb = verb.empty() ? nullptr : verb.c_str();
    info.lpFile = file.c_str();
    info.nShow = SW_SHOW;
    return ShellExecuteExW(&info);
}

bool Win32Shell::Execute(const std::string& file, const std::string& verb) {
    return !file.empty() && ShellExecuteWith(Widen(file), Widen(verb), SEE_MASK_DEFAULT);
}

bool Win32Shell::Open(const std::string& target) {
    return !target.empty() && ShellExecuteWith(Widen(target), {}, SEE_MASK_DEFAULT);
}

bool Win32Shell::Reveal(const std::string& file) {
    const std::wstring path = Widen(file);
    if (path.empty() || GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
        return false;
    }
    ComApartment com(ComApartment::Kind::SingleThreaded);
    PIDLIST_ABSOLUTE item = ILCreateFromPathW(path.c_str());
    if (!item) {
        return false;
    }
    const bool shown = SUCCEEDED(SHOpenFolderAndSelectItems(item, 0, nullptr, 0));
    ILFree(item);
    return shown;
}

bool Win32Shell::ShowProperties(const std::string& file) {
    return !file.empty() && ShellExecuteWith(Widen(file), L"properties", SEE_MASK_INVOKEIDLIST);
}

}  // namespace qrv::win32
