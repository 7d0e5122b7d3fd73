#pragma once

#include "core/desktop/beeper.h"

namespace qrv::win32 {

// MessageBeep; the kinds are the system's own sound types.
class Win32Beeper : public Beeper {
  public:
    void Beep(BeepKind kind) override;
};

}  // namespace qrv::win32
