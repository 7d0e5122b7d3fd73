#pragma once

#include <cstring>

namespace qrv {

// A shared library opened at run time and closed when the object goes. Lets
// an optional service's library, and the libraries that one pulls in, cost a
// process nothing until the service is first used.
class SharedLibrary {
  public:
    // Opens the library by its versioned name ("libfoo.so.1"); Loaded() tells
    // whether that worked.
    explicit SharedLibrary(const char* soname);
    ~SharedLibrary();
    SharedLibrary(const SharedLibrary&) = delete;
    SharedLibrary& operator=(const SharedLibrary&) = delete;

    bool Loaded() const { return m_handle != nullptr; }

    // Points `function` at the library's function `name`; false (and null)
    // when the library or the function is missing.
    template <typename Function>
    bool Resolve(const char* name, Function& function) const {
        static_assert(sizeof(Function) == sizeof(void*));
        void* address = Symbol(name);
        std::memcpy(&function, &address, sizeof function);
        return address != nullptr;
    }

  private:
    void* Symbol(const char* name) const;

    void* m_handle;
};

}  // namespace qrv
