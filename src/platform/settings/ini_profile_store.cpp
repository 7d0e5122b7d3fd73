#include "platform/settings/ini_profile_store.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QStandardPaths>
#include <QVariant>

#include "core/settings/setting_keys.h"
#include "platform/settings/verbatim_ini_format.h"

namespace qrv {

namespace {

constexpr int kLockWaitMs = 5000;

QString KeyPath(const std::string& section, const std::string& key) {
    return section.empty() ? QString::fromUtf8(key)
                           : QString::fromUtf8(section) + '/' + QString::fromUtf8(key);
}

// What the system says when a file is made and written in `folder`: the
// lock file's own failure (a full disk, a read-only folder) in its words.
QString WhyNoFileCanBeWritten(const QString& folder) {
    QByteArray probe = QFile::encodeName(folder + QStringLiteral("/.quorvane-probe-XXXXXX"));
    const int fd = ::mkstemp(probe.data());
    if (fd < 0)
        return QString::fromLocal8Bit(std::strerror(errno));
    const bool written = ::write(fd, "x", 1) == 1;
    const int error = errno;
    ::close(fd);
    ::unlink(probe.constData());
    return written ? QStringLiteral("the system did not say why")
                   : QString::fromLocal8Bit(std::strerror(error));
}

QString LockFailure(const QLockFile& lock, const QString& folder) {
    if (lock.error() == QLockFile::LockFailedError)
        return QStringLiteral("another process holds it");
    return WhyNoFileCanBeWritten(folder);
}

}  // namespace

IniProfileStore::IniProfileStore(QString filePath) : m_filePath(std::move(filePath)) {}

IniProfileStore::~IniProfileStore() {
    Save();
}

QString IniProfileStore::UserProfilePath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + '/' +
           QString::fromUtf8(kCompanyKey) + '/' + QString::fromUtf8(kAppName) + ".ini";
}

int32_t IniProfileStore::GetInt(const std::string& section, const std::string& key, int32_t def) {
    // Parsed from the text: a number out of the 32-bit range is unreadable,
    // not truncated.
    bool ok = false;
    const int value = Value(section, key).toString().toInt(&ok, 10);
    return ok ? value : def;
}

bool IniProfileStore::WriteInt(const std::string& section, const std::string& key, int32_t value) {
    Write(section, key, QVariant(value));
    return true;
}

std::string IniProfileStore::GetString(const std::string& section, const std::string& key,
                                       const std::string& def) {
    const QVariant value = Value(section, key);
    return value.isValid() ? value.toString().toStdString() : def;
}

bool IniProfileStore::WriteString(const std::string& section, const std::string& key,
                                  const std::string& value) {
    Write(section, key, QVariant(QString::fromUtf8(value)));
    return true;
}

// The report is made outside the lock: it may show a window that runs events.
bool IniProfileStore::Save() {
    FailureReport report;
    QString failure;
    {
        std::lock_guard lock(m_mutex);
        if (m_changed.isEmpty())
            return true;
        failure = SaveLocked();
        if (failure.isEmpty())
            return true;
        if (!m_reported && m_report) {
            m_reported = true;
            report = m_report;
        }
    }
    if (report) {
        report(QStringLiteral("The settings could not be saved to \"%1\".\n\n%2")
                   .arg(m_filePath, failure)
                   .toStdString());
    }
    return false;
}

void IniProfileStore::SetFailureReport(FailureReport report) {
    std::lock_guard lock(m_mutex);
    m_report = std::move(report);
}

int IniProfileStore::FileReads() const {
    std::lock_guard lock(m_mutex);
    return m_fileReads;
}

QVariant IniProfileStore::Value(const std::string& section, const std::string& key) {
    std::lock_guard lock(m_mutex);
    LoadOnce();
    return m_values.value(KeyPath(section, key));
}

void IniProfileStore::Write(const std::string& section, const std::string& key,
                            const QVariant& value) {
    std::lock_guard lock(m_mutex);
    LoadOnce();
    const QString path = KeyPath(section, key);
    m_values.insert(path, value);
    m_changed.insert(path);
}

void IniProfileStore::LoadOnce() {
    if (!m_loaded) {
        m_values = ReadFile();
        m_loaded = true;
    }
}

// Taken before a read and after a write: any save since, by any process,
// replaces the file and so changes it; a change in place changes the size or
// the time.
IniProfileStore::FileStamp IniProfileStore::Stamp() const {
    struct stat info {};
    if (::stat(QFile::encodeName(m_filePath).constData(), &info) != 0)
        return {};
    return {info.st_dev, info.st_ino, info.st_size, info.st_mtim.tv_sec, info.st_mtim.tv_nsec};
}

// A missing or unreadable file reads as empty; only a regular file is read,
// never a pipe or a device that could block or never end.
QSettings::SettingsMap IniProfileStore::ReadFile() {
    ++m_fileReads;
    m_stamp = Stamp();
    QSettings::SettingsMap values;
    QFile file(m_filePath);
    if (QFileInfo(m_filePath).isFile() && file.open(QIODevice::ReadOnly))
        VerbatimIniFormat::Read(file, values);
    return values;
}

// Holds the lock from the read to the rename, so that a save by another
// process can neither slip in between nor be overwritten. The new content goes
// to a temporary file beside the profile that replaces it only when complete.
// Returns why the save failed, or nothing.
QString IniProfileStore::SaveLocked() {
    const QString folder = QFileInfo(m_filePath).absolutePath();
    if (!QDir().mkpath(folder))
        return QStringLiteral("The folder \"%1\" cannot be created.").arg(folder);
    QLockFile fileLock(m_filePath + QStringLiteral(".write-lock"));
    if (!fileLock.tryLock(kLockWaitMs)) {
        return QStringLiteral("The lock file \"%1\" could not be taken: %2.")
            .arg(m_filePath + QStringLiteral(".write-lock"), LockFailure(fileLock, folder));
    }
    const QFileInfo existing(m_filePath);
    if (existing.exists() && !existing.isFile())
        return QStringLiteral("Something other than a file is in its place.");
    // Unchanged since this store read or wrote it, the file holds what the
    // store holds but for its own changes: no need to read it again.
    const FileStamp stamp = Stamp();
    const bool unchanged = stamp.inode != 0 && stamp == m_stamp;
    QSettings::SettingsMap merged = unchanged ? m_values : ReadFile();
    for (const QString& path : std::as_const(m_changed))
        merged.insert(path, m_values.value(path));
    QSaveFile file(m_filePath);
    if (!file.open(QIODevice::WriteOnly) || !VerbatimIniFormat::Write(file, merged) ||
        !file.commit()) {
        return file.errorString();
    }
    m_values = std::move(merged);
    m_changed.clear();
    m_stamp = Stamp();
    return {};
}

}  // namespace qrv
