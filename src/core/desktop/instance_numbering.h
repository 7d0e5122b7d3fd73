#pragma once

#include <cstdint>

namespace qrv {

// Instance numbers claimed atomically, so that instances started at the same
// moment never take the same number (and so the same profile section).
class InstanceNumbering {
  public:
    virtual ~InstanceNumbering() = default;
    // Claims the lowest number from `lowest` up that no other running
    // instance holds, and holds it until this object goes or the process
    // ends; `lowest` itself where no number can be claimed at all.
    virtual int32_t Claim(int32_t lowest) = 0;
};

}  // namespace qrv
