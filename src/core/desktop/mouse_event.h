#pragma once

#include <cstdint>

namespace qrv {

// One injected mouse event, laid out like the platform input record of a
// mouse event so that every backend receives the same values.
struct MouseEvent {
    uint32_t type = 0;  // always 0: mouse
    int32_t dx = 0;
    int32_t dy = 0;
    uint32_t mouseData = 0;  // wheel events: signed steps of kWheelDelta
    uint32_t flags = 0;
    uint32_t time = 0;
    uint64_t extraInfo = 0;
    friend bool operator==(const MouseEvent&, const MouseEvent&) = default;
};

namespace mouse_flags {
inline constexpr uint32_t kMove = 0x0001;
inline constexpr uint32_t kLeftDown = 0x0002;
inline constexpr uint32_t kLeftUp = 0x0004;
inline constexpr uint32_t kRightDown = 0x0008;
inline constexpr uint32_t kRightUp = 0x0010;
inline constexpr uint32_t kMiddleDown = 0x0020;
inline constexpr uint32_t kMiddleUp = 0x0040;
// Vertical wheel: positive mouseData turns the wheel away from the user,
// which scrolls up.
inline constexpr uint32_t kWheel = 0x0800;
// Horizontal wheel: positive mouseData scrolls right.
inline constexpr uint32_t kHorizontalWheel = 0x1000;
inline constexpr uint32_t kMoveNoCoalesce = 0x2000;
inline constexpr uint32_t kVirtualDesk = 0x4000;
inline constexpr uint32_t kAbsolute = 0x8000;
inline constexpr uint32_t kAbsoluteMove = kMove | kMoveNoCoalesce | kVirtualDesk | kAbsolute;
}  // namespace mouse_flags

// One wheel step (detent) in mouseData.
inline constexpr int32_t kWheelDelta = 120;

// Marks the clicks this program injects.
inline constexpr uint64_t kClickExtraInfo = 0x312;

}  // namespace qrv
