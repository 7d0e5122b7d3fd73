#pragma once

#include "core/desktop/shell.h"

namespace qrv::win32 {

// ShellExecuteExW with the user's verb, which the shell interprets itself
// ("open", "edit", "print", "runas" or whatever the file type offers), and
// the Explorer for revealing files and showing their properties. Callable
// from any thread.
class Win32Shell : public Shell {
  public:
    // With errorUi the shell tells the user itself why a file did not start,
    // in a message box the call waits for.
    explicit Win32Shell(bool errorUi = true) : m_errorUi(errorUi) {}

    bool Execute(const std::string& file, const std::string& verb) override;
    bool Open(const std::string& target) override;
    bool Reveal(const std::string& file) override;
    bool ShowProperties(const std::string& file) override;

  private:
    bool ShellExecuteWith(const std::wstring& file, const std::wstring& verb, unsigned long mask);

    bool m_errorUi;
};

}  // namespace qrv::win32
