#include "settings/ini_profile_store.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QSettings>
#include <QStandardPaths>
#include <QVariant>

#include "settings/setting_keys.h"
#include "settings/verbatim_ini_format.h"

namespace qrv {

namespace {

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString KeyPath(const std::string& section, const std::string& key) {
    return FromUtf8(section) + '/' + FromUtf8(key);
}

}  // namespace

IniProfileStore::IniProfileStore(QString filePath) : m_filePath(std::move(filePath)) {}

QString IniProfileStore::UserProfilePath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + '/' +
           FromUtf8(kCompanyKey) + '/' + FromUtf8(kAppName) + ".ini";
}

// Each call opens the file afresh so that values written by other processes
// are seen; the settings object never outlives the call, so it is never shared
// between threads.
int32_t IniProfileStore::GetInt(const std::string& section, const std::string& key, int32_t def) {
    std::lock_guard lock(m_mutex);
    QSettings settings(m_filePath, VerbatimIniFormat::Format());
    // Parsed from the text: a number out of the 32-bit range is unreadable,
    // not truncated.
    bool ok = false;
    const int value = settings.value(KeyPath(section, key)).toString().toInt(&ok, 10);
    return ok ? value : def;
}

bool IniProfileStore::WriteInt(const std::string& section, const std::string& key, int32_t value) {
    return Write(section, key, QVariant(value));
}

std::string IniProfileStore::GetString(const std::string& section, const std::string& key,
                                       const std::string& def) {
    std::lock_guard lock(m_mutex);
    QSettings settings(m_filePath, VerbatimIniFormat::Format());
    const QVariant value = settings.value(KeyPath(section, key));
    return value.isValid() ? value.toString().toStdString() : def;
}

bool IniProfileStore::WriteString(const std::string& section, const std::string& key,
                                  const std::string& value) {
    return Write(section, key, QVariant(FromUtf8(value)));
}

bool IniProfileStore::Write(const std::string& section, const std::string& key,
                            const QVariant& value) {
    std::lock_guard lock(m_mutex);
    // The settings object reads the file when made and merges on sync only
    // when the file's size or time changed since; a write by another process
    // in between could go unnoticed. Holding a lock of our own from the read
    // to the sync makes each write a whole read-modify-write.
    QDir().mkpath(QFileInfo(m_filePath).absolutePath());
    QLockFile fileLock(m_filePath + QStringLiteral(".write-lock"));
    fileLock.tryLock(5000);
    QSettings settings(m_filePath, VerbatimIniFormat::Format());
    if (!settings.isWritable())
        return false;
    settings.setValue(KeyPath(section, key), value);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

}  // namespace qrv
