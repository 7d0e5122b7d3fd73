#pragma once

#include <span>

#include "platform/backend.h"

namespace qrv {

// The backends this build was configured with, in order of preference; the
// definition is generated at configure time.
std::span<const Backend* const> ConfiguredBackendTable();

}  // namespace qrv
