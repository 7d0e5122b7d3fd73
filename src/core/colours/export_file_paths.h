#pragma once

#include <string>
#include <string_view>

#include "core/desktop/clock.h"

namespace qrv {

// True when the file can be opened for reading.
bool FileExists(const std::string& path);

// "<folder>/<name>.<extension>" unless that file exists, else the same with
// "-<tick count>" before the extension, tried with two readings of the tick
// count; empty when all three exist. Doubled separators are collapsed.
//
// `folder` is the export folder: the desktop folder plus "/" plus the
// application name, created with its parents by the platform when missing.
std::string GetUniqueFilePath(std::string_view folder, std::string_view name,
                              std::string_view extension, Clock& clock);

}  // namespace qrv
