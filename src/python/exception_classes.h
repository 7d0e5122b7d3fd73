#pragma once

#include <pybind11/pybind11.h>

namespace qrv::python {

// Adds QuorvaneError, BadInput (also a ValueError), DesktopUnavailable and
// ConsentDeclined to the module and turns a ScriptError thrown by a call
// into the exception of its kind.
void AddExceptionClasses(pybind11::module_& m);

}  // namespace qrv::python
