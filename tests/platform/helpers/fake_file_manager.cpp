// Holds the file manager's D-Bus name on the session bus and appends the
// addresses of every ShowItems call, one a line, to the file given.
//   fake_file_manager <record file>
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QFile>
#include <QStringList>
#include <QTimer>
#include <cstdio>

namespace {

class FileManagerObject : public QDBusVirtualObject {
  public:
    explicit FileManagerObject(QString recordPath) : m_recordPath(std::move(recordPath)) {}

    QString introspect(const QString&) const override { return {}; }

    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
        if (message.member() != QLatin1String("ShowItems") || message.arguments().isEmpty()) {
            return false;
        }
        QFile record(m_recordPath);
        if (record.open(QIODevice::Append)) {
            for (const QString& uri : message.arguments().front().toStringList()) {
                record.write(uri.toUtf8() + '\n');
            }
        }
        connection.send(message.createReply());
        return true;
    }

  private:
    QString m_recordPath;
};

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 2)
        return 1;
    QDBusConnection bus = QDBusConnection::sessionBus();
    FileManagerObject object(QString::fromUtf8(argv[1]));
    if (!bus.registerVirtualObject(QStringLiteral("/org/freedesktop/FileManager1"), &object) ||
        !bus.registerService(QStringLiteral("org.freedesktop.FileManager1"))) {
        std::fprintf(stderr, "cannot register the file manager name\n");
        return 1;
    }
    // Never outlives a test run by much, even when the test dies.
    QTimer::singleShot(120000, &app, &QCoreApplication::quit);
    return app.exec();
}
