#pragma once

#include <QString>

namespace qrv {

// Problems the user must hear of even when no window of the program is
// open: written to standard error and shown in an error message box.
class ProblemReport {
  public:
    static void Tell(const QString& text);
};

}  // namespace qrv
