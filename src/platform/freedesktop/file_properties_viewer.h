#pragma once

#include <string>

namespace qrv {

// Asks the desktop's file manager to show a file's properties, through the
// freedesktop file manager D-Bus interface. Does nothing where no file manager
// offers it.
class FilePropertiesViewer {
  public:
    static constexpr const char* kService = "org.freedesktop.FileManager1";
    static constexpr const char* kPath = "/org/freedesktop/FileManager1";
    static constexpr const char* kMethod = "ShowItemProperties";

    // True when a file manager accepted the request.
    bool ShowProperties(const std::string& file);
};

}  // namespace qrv
