#include "platform/win32/win32_beeper.h"

#include <windows.h>

namespace qrv::win32 {

static_assert(uint32_t(BeepKind::Error) == MB_ICONHAND);
static_assert(uint32_t(BeepKind::Question) == MB_ICONQUESTION);
static_assert(uint32_t(BeepKind::Warning) == MB_ICONEXCLAMATION);
static_assert(uint32_t(BeepKind::Information) == MB_ICONASTERISK);
static_assert(uint32_t(BeepKind::Simple) == 0xFFFFFFFF);

void Win32Beeper::Beep(BeepKind kind) {
    MessageBeep(UINT(kind));
}

}  // namespace qrv::win32
