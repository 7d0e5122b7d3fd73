#pragma once

#include <optional>

#include "platform/x11/x_desktop_geometry.h"

namespace qrv {

// The desktop geometry of a connection, read once and again only after the
// server reports a changed screen or monitor layout. Takes the events of the
// connection, which must not be used for anything else that receives events.
class XDesktopGeometryWatch {
  public:
    // Asks the server to report layout changes on the root window.
    explicit XDesktopGeometryWatch(Display* display);

    // The geometry as of the last event the server sent.
    const XDesktopGeometry& Current();

  private:
    bool TakeChanges();

    Display* m_display;
    std::optional<XDesktopGeometry> m_geometry;
};

}  // namespace qrv
