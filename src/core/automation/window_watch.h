#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/desktop/top_level_windows.h"

namespace qrv {

// The status label of the control browser: text and background 0x00BBGGRR.
struct WindowStatus {
    std::string_view text;
    uint32_t colour;

    bool operator==(const WindowStatus&) const = default;
};

// "Status" (grey) with no window chosen, "Valid" (green) while it exists,
// "InValid" (red) once it is gone.
WindowStatus StatusOfWindow(bool windowChosen, bool windowExists);

enum class TitleWatchStep { Nothing, FillWindowList, FillControlList };

// One tick of the timer-based title watch: refill the window list when the
// chosen window is gone, the control list when its title no longer equals the
// window-name field (case-sensitive).
TitleWatchStep TitleWatchAction(bool windowChosen, bool elementHeld, bool windowExists,
                                const std::string& title, const std::string& windowNameField);

// The windows the browser offers, in the given order: visible, enabled and
// titled windows of other processes.
std::vector<TopLevelWindow> FilterWindowList(const std::vector<TopLevelWindow>& windows,
                                             int64_t ownProcessId);

}  // namespace qrv
