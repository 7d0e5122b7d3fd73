#include "desktop/desktop_shell.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QUrl>

namespace qrv {

namespace {

const QString kFileManagerService = QStringLiteral("org.freedesktop.FileManager1");
const QString kFileManagerPath = QStringLiteral("/org/freedesktop/FileManager1");
constexpr int kFileManagerTimeoutMs = 5000;
constexpr qint64 kShebangLineMax = 256;

QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

bool VerbIs(const QString& verb, const char* name) {
    return verb.compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
}

// "#!/bin/sh -e" -> {"/bin/sh", "-e"}: like the kernel, everything after the
// interpreter is one argument.
std::optional<QStringList> ReadShebang(const QString& file) {
    QFile script(file);
    if (!script.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray line = script.readLine(kShebangLineMax);
    if (!line.startsWith("#!"))
        return std::nullopt;
    const QString rest = QString::fromUtf8(line.mid(2)).trimmed();
    const qsizetype blank = rest.indexOf(QRegularExpression(QStringLiteral("[ \t]")));
    if (rest.isEmpty())
        return std::nullopt;
    if (blank < 0)
        return QStringList{rest};
    return QStringList{rest.left(blank), rest.mid(blank + 1).trimmed()};
}

bool HasScheme(const QString& target) {
    const QUrl url(target);
    return url.isValid() && url.scheme().size() > 1;
}

bool IsActivatable(QDBusConnection& bus, const QString& service) {
    const QDBusMessage list = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("ListActivatableNames"));
    const QDBusReply<QStringList> names = bus.call(list);
    return names.isValid() && names.value().contains(service);
}

}  // namespace

DesktopShell::DesktopShell(QString opener) : m_opener(std::move(opener)) {}

bool DesktopShell::Execute(const std::string& file, const std::string& verb) {
    const QString qverb = FromUtf8(verb);
    const bool open = qverb.isEmpty() || VerbIs(qverb, "open");
    if (!open && !VerbIs(qverb, "execute"))
        return false;
    const QString qfile = FromUtf8(file);
    if (const auto command = ProgramCommand(qfile)) {
        return QProcess::startDetached(command->program, command->arguments);
    }
    return open && Open(file);
}

bool DesktopShell::Open(const std::string& target) {
    const QString qtarget = FromUtf8(target);
    if (qtarget.isEmpty())
        return false;
    const QFileInfo info(qtarget);
    if (info.exists())
        return StartOpener(info.absoluteFilePath());
    return HasScheme(qtarget) && StartOpener(qtarget);
}

bool DesktopShell::Reveal(const std::string& file) {
    const QFileInfo info(FromUtf8(file));
    if (!info.exists())
        return false;
    const QString uri = QString::fromUtf8(QUrl::fromLocalFile(info.absoluteFilePath()).toEncoded());
    return ShowInFileManager(uri) || StartOpener(info.absolutePath());
}

// A file with the execute bit starts itself; a script without it starts
// through the interpreter its first line names; a bare name is looked up on
// the search path. Anything else is not a program.
std::optional<DesktopShell::Command> DesktopShell::ProgramCommand(const QString& file) {
    const QFileInfo info(file);
    if (info.isFile()) {
        const QString path = info.absoluteFilePath();
        if (info.isExecutable())
            return Command{path, {}};
        if (auto interpreter = ReadShebang(path)) {
            const QString program = interpreter->takeFirst();
            return Command{program, *interpreter << path};
        }
        return std::nullopt;
    }
    if (info.exists() || file.contains('/'))
        return std::nullopt;
    const QString found = QStandardPaths::findExecutable(file);
    if (found.isEmpty())
        return std::nullopt;
    return Command{found, {}};
}

bool DesktopShell::ShowInFileManager(const QString& uri) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || bus.interface() == nullptr)
        return false;
    const bool present = bus.interface()->isServiceRegistered(kFileManagerService).value() ||
                         IsActivatable(bus, kFileManagerService);
    if (!present)
        return false;
    QDBusMessage call = QDBusMessage::createMethodCall(
        kFileManagerService, kFileManagerPath, kFileManagerService, QStringLiteral("ShowItems"));
    call << QStringList{uri} << QString();
    const QDBusMessage reply = bus.call(call, QDBus::Block, kFileManagerTimeoutMs);
    return reply.type() == QDBusMessage::ReplyMessage;
}

bool DesktopShell::StartOpener(const QString& target) const {
    return QProcess::startDetached(m_opener, {target});
}

}  // namespace qrv
