#pragma once

#include <QSet>
#include <QSettings>
#include <QString>
#include <cstdint>
#include <functional>
#include <mutex>

#include "core/desktop/profile_store.h"

namespace qrv {

// The profile as an INI file: a section is an INI group, names are kept
// verbatim. The file is read once, on first use; writes change the values in
// memory and are written together by Save. A save merges only the keys this
// store changed into the file's current content under the file's lock (read
// again only when it changed since), so other processes' changes to other
// keys are kept, and replaces the file whole, so a failure never leaves it
// cut short. Safe to use from several threads.
class IniProfileStore : public ProfileStore {
  public:
    explicit IniProfileStore(QString filePath);
    // Saves what is still unsaved.
    ~IniProfileStore() override;

    // "<config dir>/Tolbrin/Quorvane by Tolbrin.ini" in the user's
    // configuration directory.
    static QString UserProfilePath();

    int32_t GetInt(const std::string& section, const std::string& key, int32_t def) override;
    bool WriteInt(const std::string& section, const std::string& key, int32_t value) override;
    std::string GetString(const std::string& section, const std::string& key,
                          const std::string& def) override;
    bool WriteString(const std::string& section, const std::string& key,
                     const std::string& value) override;

    // Writes the changed keys to the file; true when nothing is left unsaved.
    // The failure report is told why a save failed, the first time one does.
    bool Save() override;
    void SetFailureReport(FailureReport report) override;

    const QString& FilePath() const { return m_filePath; }
    // How often the file has been read and parsed: once when first used, and
    // on saving when something else changed it since.
    int FileReads() const;

  private:
    struct FileStamp {
        uint64_t device = 0;
        uint64_t inode = 0;
        int64_t size = 0;
        int64_t seconds = 0;
        int64_t nanoseconds = 0;
        bool operator==(const FileStamp&) const = default;
    };

    QVariant Value(const std::string& section, const std::string& key);
    void Write(const std::string& section, const std::string& key, const QVariant& value);
    void LoadOnce();
    QSettings::SettingsMap ReadFile();
    QString SaveLocked();
    FileStamp Stamp() const;

    const QString m_filePath;
    mutable std::mutex m_mutex;
    bool m_loaded = false;
    QSettings::SettingsMap m_values;
    QSet<QString> m_changed;
    int m_fileReads = 0;
    FileStamp m_stamp;
    FailureReport m_report;
    bool m_reported = false;
};

}  // namespace qrv
