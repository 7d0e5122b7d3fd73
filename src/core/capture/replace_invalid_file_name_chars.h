#pragma once

#include <string>

namespace qrv {

// Turns each of the characters < > * | ? \ / " : into one space; nothing else
// changes. Safe on UTF-8 text, whose multi-byte sequences hold no ASCII bytes.
void ReplaceInvalidFileNameChars(std::string& name);

}  // namespace qrv
