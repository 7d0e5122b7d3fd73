#pragma once

#include <cstdint>

namespace qrv {

// How a starting instance learns its number where the desktop lists no
// windows to count.
class InstanceNumbering {
  public:
    virtual ~InstanceNumbering() = default;
    // The number this instance takes: 1 when no other instance runs.
    virtual int32_t Number() = 0;
};

}  // namespace qrv
