#include "platform/files/regular_file_reader.h"

#include <windows.h>

#include <algorithm>

#include "core/desktop/image_codec.h"
#include "platform/win32/wide_text.h"

namespace qrv {
namespace {

// An open file handle, closed when it goes.
class FileHandle {
  public:
    explicit FileHandle(HANDLE handle) : m_handle(handle) {}
    ~FileHandle() {
        if (m_handle != INVALID_HANDLE_VALUE) {
            CloseHandle(m_handle);
        }
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    HANDLE Get() const { return m_handle; }

  private:
    HANDLE m_handle;
};

}  // namespace

// Opening a pipe or device by name does not block; the type is then checked
// on the open handle, so nothing can be swapped in between.
uint32_t ReadRegularFile(const std::string& path, int64_t maxBytes, FileBytes& bytes) {
    const std::wstring name = win32::Widen(path);
    if (name.empty()) {
        return kStatusFail;
    }
    const FileHandle file(CreateFileW(name.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    BY_HANDLE_FILE_INFORMATION info{};
    if (file.Get() == INVALID_HANDLE_VALUE || GetFileType(file.Get()) != FILE_TYPE_DISK ||
        !GetFileInformationByHandle(file.Get(), &info) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return kStatusFail;
    }
    const int64_t size = int64_t((uint64_t(info.nFileSizeHigh) << 32) | info.nFileSizeLow);
    if (size > maxBytes) {
        return kStatusOutOfMemory;
    }
    // A file that shrinks meanwhile ends the read early, one that grows is cut
    // at its size when opened.
    bytes.data = std::make_unique_for_overwrite<uint8_t[]>(std::size_t(size));
    std::size_t filled = 0;
    while (filled < std::size_t(size)) {
        const DWORD chunk = DWORD(std::min<std::size_t>(std::size_t(size) - filled, 1 << 24));
        DWORD got = 0;
        if (!ReadFile(file.Get(), bytes.data.get() + filled, chunk, &got, nullptr) || got == 0) {
            break;
        }
        filled += got;
    }
    bytes.size = filled;
    return kStatusOk;
}

}  // namespace qrv
