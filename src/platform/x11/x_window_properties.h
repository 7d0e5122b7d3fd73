#pragma once

#include <optional>
#include <string>
#include <vector>

using Display = struct _XDisplay;

namespace qrv {

// Typed reads of one window's properties. Missing properties, wrong types
// and vanished windows read as empty.
class XWindowProperties {
  public:
    XWindowProperties(Display* display, unsigned long window);

    // 32-bit items (CARDINAL, WINDOW, ATOM) of a property of the given type.
    std::vector<unsigned long> Longs(const char* property, unsigned long type) const;
    std::optional<unsigned long> Long(const char* property, unsigned long type) const;
    // The title in UTF-8: _NET_WM_NAME, else WM_NAME.
    std::string Title() const;
    bool Has(const char* property) const;

  private:
    // 8-bit items; actualType, when given, receives the property's type.
    std::string Bytes(const char* property, unsigned long type,
                      unsigned long* actualType = nullptr) const;

    Display* m_display;
    unsigned long m_window;
};

}  // namespace qrv
