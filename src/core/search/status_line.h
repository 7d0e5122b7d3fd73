#pragma once

#include <string>

namespace qrv {

// Where a search reports what it is doing: one line of text, replaced by
// every report.
class StatusLine {
  public:
    virtual ~StatusLine() = default;
    // Called from the search worker thread; must not wait for the
    // user-interface thread.
    virtual void SetStatusText(const std::string& text) = 0;
};

}  // namespace qrv
