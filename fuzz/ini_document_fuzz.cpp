// Reads arbitrary text as a profile: it must come back byte for byte, and a
// key set in it (named after the input's first bytes, valued with the rest)
// must read back as set after a write and a read.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/settings/ini_document.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    qrv::IniDocument document(text);
    if (document.Text() != text)
        std::abort();
    const std::size_t split = std::min<std::size_t>(size, 3);
    const std::string section(text.substr(0, split));
    const std::string key = "k" + std::string(text.substr(split, 3));
    const std::string value(text.substr(std::min<std::size_t>(size, 6)));
    document.SetString(section, key, value);
    if (qrv::IniDocument(document.Text()).Value(section, key) != value)
        std::abort();
    return 0;
}
