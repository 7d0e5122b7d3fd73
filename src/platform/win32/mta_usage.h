#pragma once

#include <objbase.h>

namespace qrv::win32 {

// Keeps the process's multithreaded COM apartment alive while it lives, so
// that objects created there outlast the thread that created them.
class MtaUsage {
  public:
    MtaUsage();
    ~MtaUsage();
    MtaUsage(const MtaUsage&) = delete;
    MtaUsage& operator=(const MtaUsage&) = delete;

    bool Held() const { return m_cookie != nullptr; }

  private:
    CO_MTA_USAGE_COOKIE m_cookie = nullptr;
};

}  // namespace qrv::win32
