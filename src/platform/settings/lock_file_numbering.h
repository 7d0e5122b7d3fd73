#pragma once

#include <memory>
#include <string>

#include "core/desktop/instance_numbering.h"
#include "platform/settings/lock_file.h"

namespace qrv {

// Instance numbers held as locks on one file per number
// ("<prefix><number>.lock"): a number is free when no process holds its
// lock, and a process that ends, however it ends, lets its number go.
class LockFileNumbering : public InstanceNumbering {
  public:
    explicit LockFileNumbering(std::string prefix) : m_prefix(std::move(prefix)) {}

    // The prefix for the user's instances: in $XDG_RUNTIME_DIR, which the
    // whole login session shares as it shares the session bus and the
    // windows; else beside the profile `profilePath`; empty when neither is
    // known, and then no number is claimed.
    static std::string UserPrefix(const std::string& profilePath);

    int32_t Claim(int32_t lowest) override;

  private:
    std::string m_prefix;
    std::unique_ptr<LockFile> m_held;
};

}  // namespace qrv
