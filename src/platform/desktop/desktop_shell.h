#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "search/shell.h"

namespace qrv {

// Starts programs and opens files like the desktop does: programs and scripts
// start detached, everything else goes to the opener program (the desktop's
// default-application launcher), and revealing asks the session's file
// manager over D-Bus, falling back to opening the folder.
class DesktopShell : public Shell {
  public:
    explicit DesktopShell(QString opener = QStringLiteral("xdg-open"));

    // Verbs are compared without case. "open" (or no verb) starts programs and
    // scripts and opens other files, folders and addresses; "execute" only
    // starts programs and scripts.
    bool Execute(const std::string& file, const std::string& verb) override;
    bool Open(const std::string& target) override;
    bool Reveal(const std::string& file) override;

  private:
    struct Command {
        QString program;
        QStringList arguments;
    };

    static std::optional<Command> ProgramCommand(const QString& file);
    static bool ShowInFileManager(const QString& uri);
    bool StartOpener(const QString& target) const;

    const QString m_opener;
};

}  // namespace qrv
