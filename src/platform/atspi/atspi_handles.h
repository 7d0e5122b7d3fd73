#pragma once

#include <memory>

#include "platform/freedesktop/glib_handles.h"

using AtspiEvent = struct _AtspiEvent;

namespace qrv {

// Hands an event back to AT-SPI. The declaration keeps the library's headers
// out of the headers that hold such pointers.
struct AtspiEventDeleter {
    void operator()(AtspiEvent* event) const;
};

// An event as an event listener's callback receives it.
using AtspiEventPtr = std::unique_ptr<AtspiEvent, AtspiEventDeleter>;

}  // namespace qrv
