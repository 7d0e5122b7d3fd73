#include "platform/freedesktop/shared_library.h"

#include <dlfcn.h>

namespace qrv {

SharedLibrary::SharedLibrary(const char* soname)
    : m_handle(dlopen(soname, RTLD_NOW | RTLD_LOCAL)) {}

SharedLibrary::~SharedLibrary() {
    if (m_handle != nullptr) {
        dlclose(m_handle);
    }
}

void* SharedLibrary::Symbol(const char* name) const {
    return m_handle != nullptr ? dlsym(m_handle, name) : nullptr;
}

}  // namespace qrv
