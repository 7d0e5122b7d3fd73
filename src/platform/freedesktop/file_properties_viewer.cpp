#include "platform/freedesktop/file_properties_viewer.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QStringList>
#include <QUrl>

#include "platform/freedesktop/session_bus.h"

namespace qrv {

bool FilePropertiesViewer::ShowProperties(const std::string& file) {
    QDBusConnection bus = SessionBus::Connection();
    const QString service = QString::fromLatin1(kService);
    if (!bus.isConnected() || !bus.interface()->isServiceRegistered(service).value()) {
        return false;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(service, QString::fromLatin1(kPath), service,
                                                       QString::fromLatin1(kMethod));
    const QString uri = QUrl::fromLocalFile(QString::fromStdString(file)).toString();
    call << QStringList{uri} << QString();
    return bus.send(call);
}

}  // namespace qrv
