#pragma once

#include <cstdint>

namespace qrv {

enum class BeepKind : uint32_t {
    Simple = 0xFFFFFFFF,
    Error = 0x10,
    Question = 0x20,
    Warning = 0x30,
    Information = 0x40
};

class Beeper {
  public:
    virtual ~Beeper() = default;
    virtual void Beep(BeepKind kind) = 0;
};

}  // namespace qrv
