#include "python/exception_classes.h"

#include <exception>

#include "python/script_error.h"

namespace qrv::python {

namespace py = pybind11;

namespace {

// The classes live as long as the process: the translator may run at any call.
PyObject* g_classes[4] = {};

PyObject* NewClass(py::module_& m, const char* name, const char* doc, PyObject* bases) {
    const std::string qualified = std::string("quorvane.") + name;
    PyObject* type = PyErr_NewExceptionWithDoc(qualified.c_str(), doc, bases, nullptr);
    if (type == nullptr) {
        throw py::error_already_set();
    }
    Py_INCREF(type);  // one reference for the module, one kept here
    m.add_object(name, py::handle(type));
    return type;
}

}  // namespace

void AddExceptionClasses(py::module_& m) {
    PyObject* base = NewClass(m, "QuorvaneError",
                              "The base of every error this module raises. Its text is the one\n"
                              "quorvane-cli prints for the same problem.",
                              PyExc_Exception);
    py::tuple badInputBases = py::make_tuple(py::handle(base), py::handle(PyExc_ValueError));
    g_classes[int(ScriptError::Kind::kBadInput)] =
        NewClass(m, "BadInput",
                 "An argument, a picture or a file that cannot be searched with: raised\n"
                 "before anything is captured or any consent is asked. Also a ValueError.",
                 badInputBases.ptr());
    g_classes[int(ScriptError::Kind::kDesktopUnavailable)] =
        NewClass(m, "DesktopUnavailable",
                 "The live desktop cannot be reached, sends no picture of the screen, or\n"
                 "refuses input (no keyboard input on this desktop).",
                 base);
    g_classes[int(ScriptError::Kind::kConsentDeclined)] =
        NewClass(m, "ConsentDeclined",
                 "The user declined the desktop's request for screen access (on desktops\n"
                 "that ask); the next call asks again.",
                 base);
    g_classes[int(ScriptError::Kind::kOther)] = base;
    py::register_exception_translator([](std::exception_ptr p) {
        try {
            if (p) {
                std::rethrow_exception(p);
            }
        } catch (const ScriptError& e) {
            PyErr_SetString(g_classes[int(e.GetKind())], e.what());
        }
    });
}

}  // namespace qrv::python
