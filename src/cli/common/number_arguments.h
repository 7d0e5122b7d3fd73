#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace qrv::cli {

// Parses exactly `n` comma-separated signed 32-bit integers ("-5,20") into
// `out`; false for anything else.
bool ParseInts(const std::string& text, std::size_t n, int32_t* out);

}  // namespace qrv::cli
