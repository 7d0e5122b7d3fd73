#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <utility>
#include <variant>

#include "core/desktop/profile_store.h"
#include "core/settings/ini_document.h"
#include "platform/settings/file_descriptor.h"

struct stat;

namespace qrv {

// The profile as an INI file (see IniDocument: a section is an INI section,
// names are kept verbatim, lines this store does not write stay byte for
// byte). Every write reaches the file at once: under the file's lock it is
// read again if another process changed it since, the key is set and the file
// is replaced whole, so a kill loses nothing and a failure never leaves it cut
// short. Reads see other processes' changes as soon as they are saved. A
// write that fails is kept for this session and tried again with the next
// write or Save. Safe to use from several threads.
class IniProfileStore : public ProfileStore {
  public:
    explicit IniProfileStore(std::string filePath);
    // Tries once more what could not be saved.
    ~IniProfileStore() override;

    // "<config dir>/Tolbrin/Quorvane by Tolbrin.ini" in the user's
    // configuration folder; empty when it is not known.
    static std::string UserProfilePath();

    int32_t GetInt(const std::string& section, const std::string& key, int32_t def) override;
    bool WriteInt(const std::string& section, const std::string& key, int32_t value) override;
    std::string GetString(const std::string& section, const std::string& key,
                          const std::string& def) override;
    bool WriteString(const std::string& section, const std::string& key,
                     const std::string& value) override;

    // Writes what failed before; true when nothing is left unsaved. The
    // failure report is told why a write failed, the first time one does.
    bool Save() override;
    void SetFailureReport(FailureReport report) override;

    // How often the file has been read and parsed: when first used, and
    // afterwards only when something else changed it.
    int FileReads() const;

  private:
    using Slot = std::pair<std::string, std::string>;
    using Value = std::variant<int32_t, std::string>;
    // What identifies one content of the file: another process's save
    // replaces the file (a new inode: the one seen is kept open, so it is
    // never reused meanwhile), a change in place changes the size or a time.
    struct FileStamp {
        uint64_t device = 0;
        uint64_t inode = 0;
        int64_t size = 0;
        int64_t modified = 0;
        int64_t changed = 0;
        bool operator==(const FileStamp&) const = default;
        static FileStamp Of(const struct stat& info);
    };

    bool Write(Slot slot, Value value);
    bool Reported(const std::function<std::string()>& commit);
    void Refresh();
    void Load();
    bool Apply(const Slot& slot, const Value& value);
    std::string Commit();
    std::string CommitLocked(const std::string& folder);

    const std::string m_filePath;
    mutable std::mutex m_mutex;
    IniDocument m_document;
    bool m_loaded = false;
    // Why the file in place cannot be read; it is then never replaced.
    std::string m_unreadable;
    FileDescriptor m_seen;
    FileStamp m_stamp;
    std::map<Slot, Value> m_unsaved;
    bool m_differs = false;  // the document holds what the file does not
    int m_fileReads = 0;
    FailureReport m_report;
    bool m_reported = false;
    bool m_failed = false;  // the last commit failed
};

}  // namespace qrv
