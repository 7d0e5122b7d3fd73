#include "core/automation/window_watch.h"

namespace qrv {

WindowStatus StatusOfWindow(bool windowChosen, bool windowExists) {
    if (!windowChosen) {
        return {"Status", 0x7F7F7F};
    }
    return windowExists ? WindowStatus{"Valid", 0x00FF00} : WindowStatus{"InValid", 0x0000FF};
}

TitleWatchStep TitleWatchAction(bool windowChosen, bool elementHeld, bool windowExists,
                                const std::string& title, const std::string& windowNameField) {
    if (!windowChosen || !elementHeld) {
        return TitleWatchStep::Nothing;
    }
    if (!windowExists) {
        return TitleWatchStep::FillWindowList;
    }
    return title == windowNameField ? TitleWatchStep::Nothing : TitleWatchStep::FillControlList;
}

std::vector<TopLevelWindow> FilterWindowList(const std::vector<TopLevelWindow>& windows,
                                             int64_t ownProcessId) {
    std::vector<TopLevelWindow> shown;
    for (const TopLevelWindow& window : windows) {
        if (window.processId != ownProcessId && window.visible && window.enabled &&
            !window.title.empty()) {
            shown.push_back(window);
        }
    }
    return shown;
}

}  // namespace qrv
