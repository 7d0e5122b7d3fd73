#pragma once

#include "platform/backend.h"

namespace qrv::win32 {

extern const Backend kBackend;

}  // namespace qrv::win32
