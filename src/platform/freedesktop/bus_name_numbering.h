#pragma once

#include "core/desktop/instance_numbering.h"

namespace qrv {

// Instance numbers from the session-bus names the running instances own
// (see DBusToggleRequests): the lowest number whose name is free, which is
// one more than the number of running instances unless one has quit.
class BusNameNumbering : public InstanceNumbering {
  public:
    int32_t Number() override;
};

}  // namespace qrv
