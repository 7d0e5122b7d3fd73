#include "app/help_page.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "app/widgets/message_boxes.h"
#include "core/desktop/shell.h"

namespace qrv {

QString HelpPage::Find(const QString& programFolder) {
    const QDir folder(programFolder);
    for (const QString& candidate :
         {folder.filePath(QLatin1String(kFileName)),
          folder.filePath(QStringLiteral("../share/doc/quorvane/") + QLatin1String(kFileName))}) {
        const QFileInfo page(candidate);
        if (page.isFile()) {
            return page.canonicalFilePath();
        }
    }
    return {};
}

void HelpPage::Open(QWidget* owner, Shell& shell) {
    const QString page = Find(QCoreApplication::applicationDirPath());
    if (page.isEmpty()) {
        MessageBoxes::Show(owner,
                           QStringLiteral("The help page %1 is missing: it belongs beside the "
                                          "program or in share/doc/quorvane.")
                               .arg(QLatin1String(kFileName)),
                           MessageIcon::Error);
        return;
    }
    shell.Open(page.toStdString());
}

}  // namespace qrv
