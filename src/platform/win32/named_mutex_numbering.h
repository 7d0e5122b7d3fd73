#pragma once

#include "core/desktop/instance_numbering.h"

namespace qrv::win32 {

// Instance numbers held as named mutexes of the logon session, one per
// number: a number is free when no process holds a handle to its mutex, and a
// process that ends, however it ends, lets its number go.
class NamedMutexNumbering : public InstanceNumbering {
  public:
    NamedMutexNumbering() = default;
    ~NamedMutexNumbering() override;
    NamedMutexNumbering(const NamedMutexNumbering&) = delete;
    NamedMutexNumbering& operator=(const NamedMutexNumbering&) = delete;

    int32_t Claim(int32_t lowest) override;

  private:
    void Release();

    void* m_held = nullptr;  // the claimed number's mutex
};

}  // namespace qrv::win32
