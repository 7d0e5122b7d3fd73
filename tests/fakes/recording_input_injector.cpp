#include "fakes/recording_input_injector.h"

#include <map>
#include <string>

#include "core/search/mouse_input.h"

namespace qrv {

namespace {

const char* ButtonEntry(uint32_t flags) {
    static const std::map<uint32_t, const char*> entries{{mouse_flags::kRightDown, "down right"},
                                                         {mouse_flags::kRightUp, "up right"},
                                                         {mouse_flags::kMiddleDown, "down middle"},
                                                         {mouse_flags::kMiddleUp, "up middle"}};
    const auto it = entries.find(flags);
    return it == entries.end() ? nullptr : it->second;
}

}  // namespace

void RecordingInputInjector::Inject(const MouseEvent& event) {
    std::string entry;
    {
        std::lock_guard lock(m_mutex);
        m_events.push_back(event);
        if (event.flags == mouse_flags::kAbsoluteMove) {
            const Point to{
                MouseInput::NormalisedToPixel(event.dx, m_screen.left, m_screen.Width()),
                MouseInput::NormalisedToPixel(event.dy, m_screen.top, m_screen.Height())};
            m_cursor = to;
            entry = "move " + std::to_string(to.x) + "," + std::to_string(to.y);
        } else if (event.flags == mouse_flags::kLeftDown) {
            entry = "down";
        } else if (event.flags == mouse_flags::kLeftUp) {
            entry = "up";
        } else if (const char* button = ButtonEntry(event.flags)) {
            entry = button;
        } else if (event.flags == mouse_flags::kWheel ||
                   event.flags == mouse_flags::kHorizontalWheel) {
            entry = (event.flags == mouse_flags::kWheel ? "wheel " : "hwheel ") +
                    std::to_string(int32_t(event.mouseData));
        } else {
            entry = "event " + std::to_string(event.flags);
        }
    }
    if (m_log) {
        m_log->Add(entry);
    }
}

void RecordingInputInjector::SetCursorPos(Point p) {
    PlaceCursor(p);
    if (m_log) {
        m_log->Add("set-cursor " + std::to_string(p.x) + "," + std::to_string(p.y));
    }
}

}  // namespace qrv
