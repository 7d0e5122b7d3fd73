#pragma once

#include <cstdint>

namespace qrv {

// Modifier flags of the hot key control, which differ from the stored ones
// (hot_key_mod in global_hot_keys.h).
namespace hot_key_control {
inline constexpr uint32_t kShift = 1;
inline constexpr uint32_t kControl = 2;
inline constexpr uint32_t kAlt = 4;
inline constexpr uint32_t kExtended = 8;
}  // namespace hot_key_control

// Stored Alt/Ctrl/Shift/Win flags to the control's Shift/Ctrl/Alt/extended
// flags; other bits are dropped.
uint32_t StoredToControlModifiers(uint32_t stored);
// The control's flags to stored ones; the extended flag becomes Win.
uint32_t ControlToStoredModifiers(uint32_t control);

}  // namespace qrv
