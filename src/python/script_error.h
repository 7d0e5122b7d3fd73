#pragma once

#include <stdexcept>
#include <string>

namespace qrv::python {

// A failure the module reports as one of its exception classes, with the
// text the command line prints for the same problem.
class ScriptError : public std::runtime_error {
  public:
    enum class Kind { kBadInput, kDesktopUnavailable, kConsentDeclined, kOther };

    ScriptError(Kind kind, const std::string& text) : std::runtime_error(text), m_kind(kind) {}

    Kind GetKind() const { return m_kind; }

  private:
    Kind m_kind;
};

// Throws a BadInput with `text`.
[[noreturn]] inline void RaiseBadInput(const std::string& text) {
    throw ScriptError(ScriptError::Kind::kBadInput, text);
}

}  // namespace qrv::python
