#pragma once

#include <cstdint>

#include "core/desktop/clock.h"
#include "core/desktop/display_layout.h"
#include "core/desktop/input_injector.h"
#include "core/search/picture_matcher.h"
#include "core/settings/profile.h"

namespace qrv {

enum class MouseButton { kLeft, kRight, kMiddle };

// Injected mouse input: absolute moves over the whole virtual screen, button
// presses and releases, clicks with a random hold time, and wheel steps. Keeps
// no state between calls; safe to use from the search worker thread when its
// dependencies are.
class MouseInput : public CursorSweep {
  public:
    MouseInput(InputInjector& injector, DisplayLayout& layout, Clock& clock, Profile& profile);

    // Injects one absolute move to the screen point (x, y).
    void MoveMouseTo(int32_t x, int32_t y);
    // Presses the left button where the cursor is, holds it for a time drawn
    // from the profile's click bounds (read at every click), and releases it.
    void ClickLeft() { Click(MouseButton::kLeft); }
    // The same with any button.
    void Click(MouseButton button);
    // Presses or releases a button where the cursor is.
    void Button(MouseButton button, bool down);
    // Turns the wheel by `steps` notches where the cursor is: vertically
    // positive steps scroll up, horizontally right.
    void Wheel(int32_t steps, bool horizontal);
    // The matcher's cursor sweep: same as MoveMouseTo.
    void MoveTo(Point screen) override;

    // Maps a coordinate to 0..65535 over a virtual screen side starting at
    // `origin` (never positive) with `extent` pixels: the first pixel gives 0,
    // the last 65535; halves round away from zero, negative results are
    // mirrored.
    static int32_t Normalise(int32_t coordinate, int32_t origin, int32_t extent);
    // The inverse for backends: the pixel a normalised value addresses. Exact
    // for every pixel when extent <= 65536; clamped to the side.
    static int32_t NormalisedToPixel(int32_t normalised, int32_t origin, int32_t extent);
    // The hold time of one click: min when min >= max, otherwise drawn
    // uniformly from [min, max] by an engine seeded afresh from the random
    // device.
    static int32_t DrawHoldTimeMs(int32_t min, int32_t max);

  private:
    InputInjector& m_injector;
    DisplayLayout& m_layout;
    Clock& m_clock;
    Profile& m_profile;
};

}  // namespace qrv
