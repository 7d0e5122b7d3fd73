#pragma once

#include <QProcess>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/base/geometry.h"

namespace qrv::test {

// Where the test window draws its pattern, in window pixels.
inline constexpr Rect kPatch{300, 200, 460, 320};

// The square the window paints in one colour on request, in window pixels.
inline constexpr Rect kFillSquare{20, 20, 84, 84};

// The application id of the test window.
inline constexpr const char* kPatternAppId = "quorvane-pattern";

// Colour of pixel (x, y) of the patch as 0x00RRGGBB (apps/pattern_window.py).
uint32_t PatchColor(int32_t x, int32_t y);

// The native Wayland test window (apps/pattern_window.py) on one output of
// the headless sway, filling it, with the pointer events it received.
class PatternWindow {
  public:
    // Opens the window on the output; returns once it has drawn.
    PatternWindow(const std::string& title, const std::string& output);
    ~PatternWindow();
    PatternWindow(const PatternWindow&) = delete;
    PatternWindow& operator=(const PatternWindow&) = delete;

    bool Ready() const { return m_ready; }
    // Waits until the window has printed `line` (e.g. "press 1 10 20").
    bool Saw(const std::string& line);
    // Paints kFillSquare in `rgb` (0x00RRGGBB) and waits until the compositor
    // has presented the frame showing it.
    bool Fill(uint32_t rgb);
    // Waits until the pointer has entered or moved to window pixel (x, y).
    bool PointerAt(int32_t x, int32_t y);

  private:
    void ReadLines();
    // Waits for a line from the `from`th on that matches.
    bool WaitFor(const std::function<bool(const std::string&)>& match, std::size_t from = 0);

    QProcess m_process;
    std::vector<std::string> m_lines;
    bool m_ready = false;
};

// Runs swaymsg with the arguments and returns what it printed.
std::string SwayMessage(const QStringList& arguments);
// The title of the window sway has focused.
std::string FocusedTitle();

}  // namespace qrv::test
