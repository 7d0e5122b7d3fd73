#include "colours_modal_watcher.h"

#include <memory>

#include <QApplication>
#include <QDeadlineTimer>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace qrv {

QObject* ColoursModalWatcher::OnNextModal(std::function<void(QWidget*)> handler, QWidget* after) {
    auto* poll = new QTimer(qApp);
    QPointer<QWidget> skip(after);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, skip, handler = std::move(handler)] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal == skip.data() || !modal->isVisible()) {
            return;
        }
        poll->stop();
        poll->deleteLater();
        handler(modal);
    });
    poll->start(20);
    return poll;
}

bool ColoursModalWatcher::WaitFor(const std::function<bool()>& done, int timeoutMs) {
    QDeadlineTimer deadline(timeoutMs);
    while (!done()) {
        if (deadline.hasExpired()) {
            return false;
        }
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

void ColoursModalWatcher::CloseNextMessage(QString* text, int* icon, QWidget* after) {
    OnNextModal(
        [text, icon](QWidget* modal) {
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                *text = box->text();
                if (icon) {
                    *icon = int(box->icon());
                }
            }
            modal->close();
        },
        after);
}

}  // namespace qrv
