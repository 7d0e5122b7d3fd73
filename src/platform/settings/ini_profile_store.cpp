#include "platform/settings/ini_profile_store.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <optional>
#include <system_error>

#include "core/settings/setting_keys.h"
#include "platform/settings/file_replacement.h"
#include "platform/settings/lock_file.h"
#include "platform/settings/user_data_folder.h"

namespace qrv {

namespace {

constexpr std::chrono::milliseconds kLockWait{5000};
// Far above any profile this program writes; a larger file is not read (each
// line costs memory of its own, so lines are counted too).
constexpr int64_t kMaxFileBytes = int64_t(16) << 20;
constexpr std::ptrdiff_t kMaxLines = 1000000;
constexpr const char* kUnknownFolder =
    "The configuration folder is not known: neither XDG_CONFIG_HOME nor HOME is set.";

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

// What went wrong while writing in `folder`, in words.
std::string Why(int error, const std::string& folder) {
    switch (error) {
        case ENOSPC:
            return "The disk that holds the folder " + Quoted(folder) + " is full.";
        case EDQUOT:
            return "This user's disk quota for the folder " + Quoted(folder) + " is used up.";
        case EROFS:
            return "The folder " + Quoted(folder) + " is on a read-only file system.";
        case EACCES:
        case EPERM:
            return "The folder " + Quoted(folder) + " is read-only for this user.";
        default:
            return "Writing in the folder " + Quoted(folder) +
                   " failed: " + std::generic_category().message(error) + ".";
    }
}

std::string MakeFolder(const std::string& folder) {
    if (folder.empty())
        return {};
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error)
        return "The folder " + Quoted(folder) + " cannot be created: " + error.message() + ".";
    return {};
}

std::string LockFailure(int error, const std::string& lockFile, const std::string& folder) {
    if (error == EWOULDBLOCK)
        return "Another program kept " + Quoted(lockFile) + " locked for five seconds.";
    return Why(error, folder);
}

int64_t Nanoseconds(const timespec& time) {
    return int64_t(time.tv_sec) * 1000000000 + time.tv_nsec;
}

std::string ReadAll(int fd, int64_t size) {
    std::string text(std::size_t(size), '\0');
    std::size_t filled = 0;
    while (filled < text.size()) {
        const ssize_t got = ::read(fd, text.data() + filled, text.size() - filled);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        filled += std::size_t(got);
    }
    text.resize(filled);
    return text;
}

// What the open file holds; nothing, and why in `why`, when it is not a
// regular file (a pipe or a device could block or never end) or is too large
// to be a profile.
std::optional<std::string> ReadProfileText(int fd, const struct stat& info, const std::string& path,
                                           std::string& why) {
    if (!S_ISREG(info.st_mode)) {
        why = "Something other than a file is in the place of " + Quoted(path) + ".";
        return std::nullopt;
    }
    std::string text = info.st_size > kMaxFileBytes ? std::string() : ReadAll(fd, info.st_size);
    if (info.st_size > kMaxFileBytes || std::count(text.begin(), text.end(), '\n') > kMaxLines) {
        why = Quoted(path) + " is larger than 16 MiB or a million lines.";
        return std::nullopt;
    }
    return text;
}

}  // namespace

IniProfileStore::IniProfileStore(std::string filePath) : m_filePath(std::move(filePath)) {}

IniProfileStore::~IniProfileStore() {
    Save();
}

std::string IniProfileStore::UserProfilePath() {
    const std::string config = UserConfigFolder();
    if (config.empty())
        return {};
    return config + "/" + std::string(kCompanyKey) + "/" + std::string(kAppName) + ".ini";
}

int32_t IniProfileStore::GetInt(const std::string& section, const std::string& key, int32_t def) {
    std::lock_guard lock(m_mutex);
    Refresh();
    return m_document.IntValue(section, key).value_or(def);
}

bool IniProfileStore::WriteInt(const std::string& section, const std::string& key, int32_t value) {
    return Write({section, key}, value);
}

std::string IniProfileStore::GetString(const std::string& section, const std::string& key,
                                       const std::string& def) {
    std::lock_guard lock(m_mutex);
    Refresh();
    return m_document.Value(section, key).value_or(def);
}

bool IniProfileStore::WriteString(const std::string& section, const std::string& key,
                                  const std::string& value) {
    return Write({section, key}, value);
}

bool IniProfileStore::Save() {
    return Reported([this] { return Commit(); });
}

void IniProfileStore::SetFailureReport(FailureReport report) {
    std::lock_guard lock(m_mutex);
    m_report = std::move(report);
}

int IniProfileStore::FileReads() const {
    std::lock_guard lock(m_mutex);
    return m_fileReads;
}

bool IniProfileStore::Write(Slot slot, Value value) {
    return Reported([&] {
        m_differs |= Apply(slot, value);
        m_unsaved.insert_or_assign(std::move(slot), std::move(value));
        return Commit();
    });
}

// Runs `commit` under the store's lock; its failure is reported outside it,
// as the report may show a window that runs events.
bool IniProfileStore::Reported(const std::function<std::string()>& commit) {
    FailureReport report;
    std::string failure;
    {
        std::lock_guard lock(m_mutex);
        failure = commit();
        if (failure.empty())
            return true;
        if (!m_reported && m_report) {
            m_reported = true;
            report = m_report;
        }
    }
    if (report)
        report("The settings could not be saved to " + Quoted(m_filePath) + ".\n\n" + failure);
    return false;
}

IniProfileStore::FileStamp IniProfileStore::FileStamp::Of(const struct stat& info) {
    return {info.st_dev, info.st_ino, info.st_size, Nanoseconds(info.st_mtim),
            Nanoseconds(info.st_ctim)};
}

// Reads the file again when it is not the one last read or written.
void IniProfileStore::Refresh() {
    struct stat now = {};
    const FileStamp stamp =
        ::stat(m_filePath.c_str(), &now) == 0 ? FileStamp::Of(now) : FileStamp{};
    if (!m_loaded || stamp != m_stamp)
        Load();
}

// A missing file reads as empty; the changes not yet saved are laid over
// what it holds.
void IniProfileStore::Load() {
    ++m_fileReads;
    m_loaded = true;
    m_unreadable.clear();
    m_document = IniDocument();
    m_seen =
        FileDescriptor(::open(m_filePath.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    const int openError = errno;
    struct stat info = {};
    const bool opened = m_seen.IsOpen() && ::fstat(m_seen.Get(), &info) == 0;
    m_stamp = opened ? FileStamp::Of(info) : FileStamp{};
    if (!opened) {
        if (openError != ENOENT && openError != ENOTDIR) {
            m_unreadable = Quoted(m_filePath) +
                           " cannot be read: " + std::generic_category().message(openError) + ".";
        }
    } else if (auto text = ReadProfileText(m_seen.Get(), info, m_filePath, m_unreadable)) {
        m_document = IniDocument(*text);
    }
    m_differs = false;
    for (const auto& [slot, value] : m_unsaved)
        m_differs |= Apply(slot, value);
}

bool IniProfileStore::Apply(const Slot& slot, const Value& value) {
    if (const auto* number = std::get_if<int32_t>(&value))
        return m_document.SetInt(slot.first, slot.second, *number);
    return m_document.SetString(slot.first, slot.second, std::get<std::string>(value));
}

// Returns why the changes could not be saved, or nothing. Once a write has
// failed, the next ones do not wait for the lock: a holder that never lets go
// would hold up every write.
std::string IniProfileStore::Commit() {
    if (m_unsaved.empty())
        return {};
    const std::string folder = std::filesystem::path(m_filePath).parent_path().string();
    std::string failure = m_filePath.empty() ? kUnknownFolder : MakeFolder(folder);
    if (failure.empty()) {
        LockFile lock(m_filePath + ".lock");
        const int error = lock.Take(m_failed ? std::chrono::milliseconds(0) : kLockWait);
        failure = error ? LockFailure(error, m_filePath + ".lock", folder) : CommitLocked(folder);
    }
    m_failed = !failure.empty();
    return failure;
}

// Under the lock from the read to the rename, so that a save by another
// process can neither slip in between nor be overwritten.
std::string IniProfileStore::CommitLocked(const std::string& folder) {
    Refresh();
    if (!m_unreadable.empty())
        return m_unreadable + " It is left as it is.";
    if (m_seen.IsOpen() && ::access(m_filePath.c_str(), W_OK) != 0 && errno == EACCES)
        return "The file is read-only for this user.";
    if (m_differs) {
        FileDescriptor written;
        if (const int failure = ReplaceFile(m_filePath, m_document.Text(), written))
            return Why(failure, folder);
        struct stat info = {};
        m_stamp = ::fstat(written.Get(), &info) == 0 ? FileStamp::Of(info) : FileStamp{};
        m_seen = std::move(written);
    }
    m_unsaved.clear();
    m_differs = false;
    return {};
}

}  // namespace qrv
