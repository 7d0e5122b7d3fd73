#pragma once

#include <string>
#include <string_view>

#include "platform/settings/file_descriptor.h"

namespace qrv {

// Replaces the file at `path` with `text` whole: written to a new file beside
// it, flushed to the disk and renamed over it, so that no reader, kill, crash
// or full disk ever leaves it cut short. An existing file's mode is kept; a
// new file is private to the user. Returns 0 and the new file, open, in
// `written`; or the errno of the step that failed, leaving nothing behind.
int ReplaceFile(const std::string& path, std::string_view text, FileDescriptor& written);

}  // namespace qrv
