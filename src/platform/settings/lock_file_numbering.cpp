#include "platform/settings/lock_file_numbering.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace qrv {

namespace {

// Far more than anyone runs; past it the numbers are not claimed.
constexpr int32_t kMaxClaimed = 1000;

}  // namespace

std::string LockFileNumbering::UserPrefix(const std::string& profilePath) {
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && runtime[0] == '/')
        return std::string(runtime) + "/quorvane-instance-";
    return profilePath.empty() ? std::string() : profilePath + ".instance-";
}

int32_t LockFileNumbering::Claim(int32_t lowest) {
    m_held.reset();
    if (m_prefix.empty())
        return lowest;
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(m_prefix).parent_path(), ignored);
    const int64_t end = std::min<int64_t>(int64_t(lowest) + kMaxClaimed, INT32_MAX);
    for (int64_t number = lowest; number < end; ++number) {
        auto lock = std::make_unique<LockFile>(m_prefix + std::to_string(number) + ".lock");
        const int error = lock->Take();
        if (error == 0) {
            m_held = std::move(lock);
            return int32_t(number);
        }
        if (error != EWOULDBLOCK)
            break;
    }
    return lowest;
}

}  // namespace qrv
