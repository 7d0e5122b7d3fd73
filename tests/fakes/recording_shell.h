#pragma once

#include <atomic>

#include "fakes/action_log.h"
#include "search/shell.h"

namespace qrv {

// Logs "execute <file> <verb>", "open <target>", "reveal <file>"; every call
// returns the configured result.
class RecordingShell : public Shell {
  public:
    explicit RecordingShell(ActionLog& log);
    bool Execute(const std::string& file, const std::string& verb) override;
    bool Open(const std::string& target) override;
    bool Reveal(const std::string& file) override;
    void SetResult(bool result);

  private:
    ActionLog& m_log;
    std::atomic<bool> m_bResult{true};
};

}  // namespace qrv
