#pragma once

#include <vector>

#include "core/desktop/display_layout.h"

namespace qrv {

// A layout known once and for all: the monitor areas of screen-cast streams.
class StreamDisplayLayout : public DisplayLayout {
  public:
    explicit StreamDisplayLayout(std::vector<Rect> monitors);

    // The bounding box of the monitors, stretched to hold (0, 0).
    Rect VirtualScreen() override;
    std::vector<Rect> Monitors() override { return m_monitors; }

  private:
    std::vector<Rect> m_monitors;
};

}  // namespace qrv
