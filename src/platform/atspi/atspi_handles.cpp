#include "platform/atspi/atspi_handles.h"

#include <atspi/atspi.h>

namespace qrv {

void GFreeDeleter::operator()(void* memory) const {
    g_free(memory);
}

void GUnrefDeleter::operator()(void* object) const {
    g_object_unref(object);
}

void AtspiEventDeleter::operator()(AtspiEvent* event) const {
    g_boxed_free(ATSPI_TYPE_EVENT, event);
}

}  // namespace qrv
