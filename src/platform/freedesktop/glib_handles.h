#pragma once

#include <memory>

using GError = struct _GError;
using GMainContext = struct _GMainContext;
using GSource = struct _GSource;
using GVariant = struct _GVariant;

namespace qrv {

// Deleters that hand GLib memory and references back to the library. The
// declarations keep GLib's headers out of the headers that hold such
// pointers.
struct GFreeDeleter {
    void operator()(void* memory) const;
};
struct GUnrefDeleter {
    void operator()(void* object) const;
};
struct GVariantDeleter {
    void operator()(GVariant* value) const;
};
struct GErrorDeleter {
    void operator()(GError* error) const;
};
struct GMainContextDeleter {
    void operator()(GMainContext* context) const;
};
// Detaches the source from its context and drops the reference.
struct GSourceDeleter {
    void operator()(GSource* source) const;
};

// Memory to g_free: strings, structures the library fills.
template <typename T>
using GOwned = std::unique_ptr<T, GFreeDeleter>;
using GText = GOwned<char>;
// One reference to a GObject.
template <typename T>
using GRef = std::unique_ptr<T, GUnrefDeleter>;
// One (sunk) reference to a value.
using GVariantPtr = std::unique_ptr<GVariant, GVariantDeleter>;
using GErrorPtr = std::unique_ptr<GError, GErrorDeleter>;
using GMainContextPtr = std::unique_ptr<GMainContext, GMainContextDeleter>;
// A source this object attached and owns.
using GSourcePtr = std::unique_ptr<GSource, GSourceDeleter>;

// Takes one reference to `value`, sinking a floating one; null stays null.
GVariantPtr TakeVariant(GVariant* value);

}  // namespace qrv
