#pragma once

#include <string_view>

#include <QString>

namespace qrv {

// The UTF-8 text as a QString; the text need not end in a null.
inline QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace qrv
