#include "platform/freedesktop/glib_handles.h"

#include <glib-object.h>

namespace qrv {

void GFreeDeleter::operator()(void* memory) const {
    g_free(memory);
}

void GUnrefDeleter::operator()(void* object) const {
    g_object_unref(object);
}

void GVariantDeleter::operator()(GVariant* value) const {
    g_variant_unref(value);
}

void GErrorDeleter::operator()(GError* error) const {
    g_error_free(error);
}

void GMainContextDeleter::operator()(GMainContext* context) const {
    g_main_context_unref(context);
}

void GSourceDeleter::operator()(GSource* source) const {
    g_source_destroy(source);
    g_source_unref(source);
}

GVariantPtr TakeVariant(GVariant* value) {
    return GVariantPtr(value ? g_variant_ref_sink(value) : nullptr);
}

}  // namespace qrv
