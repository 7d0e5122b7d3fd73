#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/base/geometry.h"

namespace qrv {

// One output as the compositor describes it: where it sits in the layout (in
// logical units) and how many pixels it has.
struct OutputGeometry {
    std::string name;
    Rect logical;
    int32_t pixelWidth = 0;
    int32_t pixelHeight = 0;
    friend bool operator==(const OutputGeometry&, const OutputGeometry&) = default;
};

// A screen point in the compositor's logical layout, with the output under it.
struct LogicalPoint {
    double x = 0;
    double y = 0;
    std::size_t output = 0;
};

// Screen coordinates of a Wayland desktop: the compositor's layout positions
// scaled by each output's own scale, so that an output's rectangle holds
// exactly its pixels and a picture compares pixel for pixel. With one scale
// for every output this is the layout magnified; outputs of different scales
// keep their logical positions' scaled corners.
class OutputLayout {
  public:
    OutputLayout() = default;
    explicit OutputLayout(std::vector<OutputGeometry> outputs);

    const std::vector<OutputGeometry>& Outputs() const { return m_outputs; }
    // Each output's rectangle in screen coordinates, in the outputs' order.
    const std::vector<Rect>& Screens() const { return m_screens; }
    // The same rectangles with the one holding the origin first.
    std::vector<Rect> Monitors() const;
    // Bounding box of every output and the origin.
    Rect VirtualScreen() const;
    // Bounding box of the outputs' logical rectangles.
    Rect LogicalBox() const;
    // Where a screen point is in the layout; nullopt outside every output.
    std::optional<LogicalPoint> ToLogical(Point screen) const;
    // Pixels per logical unit of an output, across and down.
    double ScaleX(std::size_t output) const;
    double ScaleY(std::size_t output) const;

  private:
    std::vector<OutputGeometry> m_outputs;
    std::vector<Rect> m_screens;
};

}  // namespace qrv
