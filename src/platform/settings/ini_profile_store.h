#pragma once

#include <QString>
#include <mutex>

#include "settings/profile_store.h"

namespace qrv {

// The profile as an INI file: a section is an INI group, names are kept
// verbatim. Every write is flushed to disk at once; other processes' changes
// to other keys are merged under the file's lock, not overwritten. Safe to use
// from several threads.
class IniProfileStore : public ProfileStore {
  public:
    explicit IniProfileStore(QString filePath);

    // "<config dir>/Tolbrin/Quorvane by Tolbrin.ini" in the user's
    // configuration directory.
    static QString UserProfilePath();

    int32_t GetInt(const std::string& section, const std::string& key, int32_t def) override;
    bool WriteInt(const std::string& section, const std::string& key, int32_t value) override;
    std::string GetString(const std::string& section, const std::string& key,
                          const std::string& def) override;
    bool WriteString(const std::string& section, const std::string& key,
                     const std::string& value) override;

    const QString& FilePath() const { return m_filePath; }

  private:
    bool Write(const std::string& section, const std::string& key, const QVariant& value);

    const QString m_filePath;
    std::mutex m_mutex;
};

}  // namespace qrv
