#pragma once

#include <vector>

#include "core/base/geometry.h"

using Display = struct _XDisplay;

namespace qrv {

// The monitors of an X screen in screen coordinates: physical pixels relative
// to the primary monitor's top-left, so monitors left of or above it have
// negative coordinates. Root window coordinates are screen coordinates plus
// Origin().
class XDesktopGeometry {
  public:
    // `monitors` in root coordinates, the primary one first; empty means the
    // whole root is one monitor.
    XDesktopGeometry(std::vector<Rect> monitors, int32_t rootWidth, int32_t rootHeight);

    // Reads the RandR monitors of the default screen: the primary one, or
    // without a primary the first one, defines the origin.
    static XDesktopGeometry Query(Display* display);

    // The primary monitor's top-left in root coordinates.
    Point Origin() const { return m_origin; }
    // Monitors in screen coordinates, the primary one first.
    const std::vector<Rect>& Monitors() const { return m_monitors; }
    // Bounding box of all monitors in screen coordinates.
    Rect VirtualScreen() const { return m_virtual; }
    // The root window in screen coordinates.
    Rect Root() const { return m_root; }
    // Whether the rectangle (screen coordinates) lies inside one monitor.
    bool InsideOneMonitor(const Rect& rc) const;

  private:
    std::vector<Rect> m_monitors;
    Point m_origin;
    Rect m_virtual;
    Rect m_root;
};

}  // namespace qrv
