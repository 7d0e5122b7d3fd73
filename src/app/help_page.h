#pragma once

#include <QString>

class QWidget;

namespace qrv {

class Shell;

// The user manual, a local HTML page shipped with the program: next to the
// executable in a build tree, under share/quorvane once installed.
class HelpPage {
  public:
    static constexpr const char* kFileName = "help.html";

    // The page for a program started from `programFolder`; empty when missing.
    static QString Find(const QString& programFolder);
    // Opens the running program's page in the browser, or tells the owner it is missing.
    static void Open(QWidget* owner, Shell& shell);
};

}  // namespace qrv
