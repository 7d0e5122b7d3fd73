#pragma once

#include <memory>

using AtspiEvent = struct _AtspiEvent;

namespace qrv {

// Deleters that hand GLib and AT-SPI memory back to the library. The
// declarations keep the library's headers out of the headers that hold such
// pointers.
struct GFreeDeleter {
    void operator()(void* memory) const;
};
struct GUnrefDeleter {
    void operator()(void* object) const;
};
struct AtspiEventDeleter {
    void operator()(AtspiEvent* event) const;
};

// Memory to g_free: strings, structures the library fills.
template <typename T>
using GOwned = std::unique_ptr<T, GFreeDeleter>;
using GText = GOwned<char>;
// One reference to a GObject.
template <typename T>
using GRef = std::unique_ptr<T, GUnrefDeleter>;
// An event as an event listener's callback receives it.
using AtspiEventPtr = std::unique_ptr<AtspiEvent, AtspiEventDeleter>;

}  // namespace qrv
