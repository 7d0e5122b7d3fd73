#pragma once

#include <string>

#include "core/desktop/shell.h"

namespace qrv {

// Starts programs and opens files like the desktop does: programs and scripts
// with the execute bit start detached, everything else goes to the opener
// program (the desktop's default-application launcher), printing to the print
// spooler. Revealing a file and showing its properties ask the session's file
// manager over D-Bus (org.freedesktop.FileManager1, started by the bus where
// none runs yet); revealing falls back to opening the folder.
class DesktopShell : public Shell {
  public:
    static constexpr const char* kFileManager = "org.freedesktop.FileManager1";
    // How long the file manager may take to answer, starting up included.
    static constexpr int kFileManagerTimeoutMs = 20000;

    explicit DesktopShell(std::string opener = "xdg-open", std::string printer = "lp");

    // Verbs are compared without case. "open" (or no verb) starts programs and
    // opens other files, folders and addresses; "execute" only starts
    // programs; "edit" opens a file without ever running it; "print" sends a
    // file to the spooler. Other verbs fail. A program is an executable file
    // or script (by content) with the execute bit, or a name on the search
    // path.
    bool Execute(const std::string& file, const std::string& verb) override;
    bool Open(const std::string& target) override;
    bool Reveal(const std::string& file) override;
    bool ShowProperties(const std::string& file) override;

  private:
    // The program `file` names, or empty when it names none.
    static std::string ProgramPath(const std::string& file);
    // Calls `method` of the file manager with the address of an existing
    // `file`; true when it answered.
    static bool AskFileManager(const char* method, const std::string& file);
    bool StartOpener(const std::string& target) const;
    bool Print(const std::string& file) const;

    const std::string m_opener;
    const std::string m_printer;
};

}  // namespace qrv
