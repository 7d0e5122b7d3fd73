#pragma once

#include <QString>

#include "core/desktop/shell.h"
#include "platform/freedesktop/file_properties_viewer.h"

namespace qrv {

// Starts programs and opens files like the desktop does: programs and scripts
// with the execute bit start detached, everything else goes to the opener
// program (the desktop's default-application launcher), printing to the print
// spooler, and revealing asks the session's file manager over D-Bus, falling
// back to opening the folder; properties are shown by the file manager too.
class DesktopShell : public Shell {
  public:
    explicit DesktopShell(QString opener = QStringLiteral("xdg-open"),
                          QString printer = QStringLiteral("lp"));

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
    static QString ProgramPath(const QString& file);
    static bool ShowInFileManager(const QString& uri);
    bool StartOpener(const QString& target) const;
    bool Print(const QString& file) const;

    const QString m_opener;
    const QString m_printer;
    FilePropertiesViewer m_properties;
};

}  // namespace qrv
