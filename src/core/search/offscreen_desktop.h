#pragma once

#include "core/desktop/beeper.h"
#include "core/desktop/display_layout.h"
#include "core/desktop/input_injector.h"
#include "core/desktop/top_level_windows.h"
#include "core/desktop/window_activator.h"

namespace qrv {

// The desktop of a search over a screen image: one monitor covering the
// image, a cursor that never moves, no windows and no sound. Actions that
// would need a real display are refused before a run starts.
class OffscreenDesktop : public DisplayLayout,
                         public InputInjector,
                         public Beeper,
                         public WindowActivator,
                         public TopLevelWindows {
  public:
    explicit OffscreenDesktop(Rect screen);

    Rect VirtualScreen() override { return m_screen; }
    std::vector<Rect> Monitors() override { return {m_screen}; }
    void Inject(const MouseEvent&) override {}
    std::optional<Point> CursorPos() override { return Point{m_screen.left, m_screen.top}; }
    void SetCursorPos(Point) override {}
    void Beep(BeepKind) override {}
    void Activate(WindowId) override {}
    std::vector<TopLevelWindow> Enumerate() override { return {}; }

  private:
    Rect m_screen;
};

}  // namespace qrv
