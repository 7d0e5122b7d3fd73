#include "platform/win32/named_mutex_numbering.h"

#include <windows.h>

#include <algorithm>
#include <string>

#include "core/settings/setting_keys.h"
#include "platform/win32/wide_text.h"

namespace qrv::win32 {

namespace {

// Far more than anyone runs; past it the numbers are not claimed.
constexpr int32_t kMaxClaimed = 1000;

std::wstring MutexName(int64_t number) {
    return L"Local\\" + Widen(kAppName) + L" instance " + std::to_wstring(number);
}

}  // namespace

NamedMutexNumbering::~NamedMutexNumbering() {
    Release();
}

// A mutex that already existed belongs to another instance: the handle just
// opened on it is closed again.
int32_t NamedMutexNumbering::Claim(int32_t lowest) {
    Release();
    const int64_t end = std::min<int64_t>(int64_t(lowest) + kMaxClaimed, INT32_MAX);
    for (int64_t number = lowest; number < end; ++number) {
        HANDLE mutex = CreateMutexW(nullptr, FALSE, MutexName(number).c_str());
        if (!mutex)
            break;
        if (GetLastError() != ERROR_ALREADY_EXISTS) {
            m_held = mutex;
            return int32_t(number);
        }
        CloseHandle(mutex);
    }
    return lowest;
}

void NamedMutexNumbering::Release() {
    if (m_held)
        CloseHandle(m_held);
    m_held = nullptr;
}

}  // namespace qrv::win32
