#include "platform/freedesktop/desktop_shell.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

#include "platform/freedesktop/session_bus.h"

namespace qrv {

namespace {

const QString kFileManagerService = QStringLiteral("org.freedesktop.FileManager1");
const QString kFileManagerPath = QStringLiteral("/org/freedesktop/FileManager1");
constexpr int kFileManagerTimeoutMs = 5000;
constexpr char kElfMagic[] = {0x7F, 'E', 'L', 'F'};

bool VerbIs(const QString& verb, const char* name) {
    return verb.compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
}

// A program: a regular file with the execute bit that is an ELF executable
// or a script naming its interpreter on its first line. A data file with the
// execute bit, common on FAT and NTFS mounts, is not one.
bool IsProgram(const QFileInfo& info) {
    if (!info.isFile() || !info.isExecutable())
        return false;
    QFile program(info.absoluteFilePath());
    if (!program.open(QIODevice::ReadOnly))
        return false;
    const QByteArray start = program.read(sizeof kElfMagic);
    return start == QByteArray(kElfMagic, sizeof kElfMagic) || start.startsWith("#!");
}

bool HasScheme(const QString& target) {
    const QUrl url(target);
    return url.isValid() && url.scheme().size() > 1;
}

bool IsActivatable(QDBusConnection& bus, const QString& service) {
    const QDBusMessage list = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("ListActivatableNames"));
    const QDBusReply<QStringList> names = bus.call(list, QDBus::Block, SessionBus::kCallTimeoutMs);
    return names.isValid() && names.value().contains(service);
}

}  // namespace

DesktopShell::DesktopShell(QString opener, QString printer)
    : m_opener(std::move(opener)), m_printer(std::move(printer)) {}

bool DesktopShell::Execute(const std::string& file, const std::string& verb) {
    const QString qverb = QString::fromUtf8(verb);
    const QString qfile = QString::fromUtf8(file);
    if (qverb.isEmpty() || VerbIs(qverb, "open")) {
        const QString program = ProgramPath(qfile);
        return program.isEmpty() ? Open(file) : QProcess::startDetached(program, {});
    }
    if (VerbIs(qverb, "execute")) {
        const QString program = ProgramPath(qfile);
        return !program.isEmpty() && QProcess::startDetached(program, {});
    }
    // Editing hands the file, never run, to the application the desktop
    // opens its type with; printing goes to the print spooler.
    if (VerbIs(qverb, "edit"))
        return QFileInfo(qfile).isFile() && StartOpener(QFileInfo(qfile).absoluteFilePath());
    if (VerbIs(qverb, "print"))
        return Print(qfile);
    return false;
}

bool DesktopShell::Open(const std::string& target) {
    const QString qtarget = QString::fromUtf8(target);
    if (qtarget.isEmpty())
        return false;
    const QFileInfo info(qtarget);
    if (info.exists())
        return StartOpener(info.absoluteFilePath());
    return HasScheme(qtarget) && StartOpener(qtarget);
}

bool DesktopShell::Reveal(const std::string& file) {
    const QFileInfo info(QString::fromUtf8(file));
    if (!info.exists())
        return false;
    const QString uri = QString::fromUtf8(QUrl::fromLocalFile(info.absoluteFilePath()).toEncoded());
    return ShowInFileManager(uri) || StartOpener(info.absolutePath());
}

// A file starts itself only when it is a program by content and has the
// execute bit; a bare name is looked up on the search path. Anything else,
// a script without the execute bit included, is not a program.
QString DesktopShell::ProgramPath(const QString& file) {
    const QFileInfo info(file);
    const bool bareName = !info.exists() && !file.contains('/');
    const QFileInfo program = bareName ? QFileInfo(QStandardPaths::findExecutable(file)) : info;
    return !program.filePath().isEmpty() && IsProgram(program) ? program.absoluteFilePath()
                                                               : QString();
}

bool DesktopShell::Print(const QString& file) const {
    const QFileInfo info(file);
    if (!info.isFile())
        return false;
    const QString spooler = QStandardPaths::findExecutable(m_printer);
    // An absolute path cannot be taken for an option.
    return !spooler.isEmpty() && QProcess::startDetached(spooler, {info.absoluteFilePath()});
}

bool DesktopShell::ShowInFileManager(const QString& uri) {
    QDBusConnection bus = SessionBus::Connection();
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

bool DesktopShell::ShowProperties(const std::string& file) {
    return m_properties.ShowProperties(file);
}

bool DesktopShell::StartOpener(const QString& target) const {
    return QProcess::startDetached(m_opener, {target});
}

}  // namespace qrv
