#pragma once

#include <string>
#include <string_view>

namespace qrv::win32 {

// UTF-8 and the UTF-16 of every Win32 call. Invalid input becomes U+FFFD.
std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

}  // namespace qrv::win32
