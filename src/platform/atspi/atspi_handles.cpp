#include "platform/atspi/atspi_handles.h"

#include <atspi/atspi.h>

namespace qrv {

void AtspiEventDeleter::operator()(AtspiEvent* event) const {
    g_boxed_free(ATSPI_TYPE_EVENT, event);
}

}  // namespace qrv
