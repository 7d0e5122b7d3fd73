#pragma once

#include <string>

namespace qrv {

class WaylandDisplay;

// The keyboard map the compositor hands its clients, in XKB text format,
// read from a keyboard of `display`'s seat; empty when the seat has no
// keyboard, none in use or the map does not come.
std::string CompositorKeymap(WaylandDisplay& display);

}  // namespace qrv
