#include "app/widgets/wait_cursor.h"

#include <QApplication>
#include <QCursor>

namespace qrv {

WaitCursor::WaitCursor() {
    QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

WaitCursor::~WaitCursor() {
    QApplication::restoreOverrideCursor();
}

}  // namespace qrv
