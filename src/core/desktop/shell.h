#pragma once

#include <string>

namespace qrv {

// Starting programs and opening files the way the desktop does. Nothing waits
// for a started program.
class Shell {
  public:
    virtual ~Shell() = default;
    // "open" (any case): executables and scripts start, other files open in
    // their default application; "Execute" starts the file; "Edit" opens it
    // without running it; "Print" prints it; other verbs fail. False when
    // nothing was started.
    virtual bool Execute(const std::string& file, const std::string& verb) = 0;
    // Opens a file, folder or address with its default application.
    virtual bool Open(const std::string& target) = 0;
    // Shows the file selected in the file manager.
    virtual bool Reveal(const std::string& file) = 0;
    // Shows the file's properties in the file manager; false where no file
    // manager offers that.
    virtual bool ShowProperties(const std::string& file) = 0;
};

}  // namespace qrv
