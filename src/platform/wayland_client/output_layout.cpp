#include "platform/wayland_client/output_layout.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace qrv {
namespace {

int32_t Scaled(int32_t logical, double scale) {
    return int32_t(std::clamp(int64_t(std::llround(double(logical) * scale)),
                              int64_t(INT32_MIN) / 2, int64_t(INT32_MAX) / 2));
}

bool Usable(const OutputGeometry& o) {
    return o.logical.Width() > 0 && o.logical.Height() > 0 && o.pixelWidth > 0 && o.pixelHeight > 0;
}

}  // namespace

OutputLayout::OutputLayout(std::vector<OutputGeometry> outputs) {
    std::erase_if(outputs, [](const OutputGeometry& o) { return !Usable(o); });
    m_outputs = std::move(outputs);
    for (std::size_t i = 0; i < m_outputs.size(); ++i) {
        const OutputGeometry& o = m_outputs[i];
        int32_t left = Scaled(o.logical.left, ScaleX(i));
        int32_t top = Scaled(o.logical.top, ScaleY(i));
        m_screens.push_back(Rect{left, top, int32_t(int64_t(left) + o.pixelWidth),
                                 int32_t(int64_t(top) + o.pixelHeight)});
    }
}

double OutputLayout::ScaleX(std::size_t output) const {
    const OutputGeometry& o = m_outputs[output];
    return double(o.pixelWidth) / double(o.logical.Width());
}

double OutputLayout::ScaleY(std::size_t output) const {
    const OutputGeometry& o = m_outputs[output];
    return double(o.pixelHeight) / double(o.logical.Height());
}

std::vector<Rect> OutputLayout::Monitors() const {
    std::vector<Rect> monitors = m_screens;
    auto primary = std::find_if(monitors.begin(), monitors.end(), [](const Rect& r) {
        return r.Contains(Point{0, 0});
    });
    if (primary != monitors.end()) {
        std::rotate(monitors.begin(), primary, primary + 1);
    }
    return monitors;
}

Rect OutputLayout::VirtualScreen() const {
    Rect box{};
    for (const Rect& r : m_screens) {
        box = Rect{std::min(box.left, r.left), std::min(box.top, r.top),
                   std::max(box.right, r.right), std::max(box.bottom, r.bottom)};
    }
    return box;
}

Rect OutputLayout::LogicalBox() const {
    if (m_outputs.empty()) {
        return {};
    }
    Rect box = m_outputs.front().logical;
    for (const OutputGeometry& o : m_outputs) {
        box = Rect{std::min(box.left, o.logical.left), std::min(box.top, o.logical.top),
                   std::max(box.right, o.logical.right), std::max(box.bottom, o.logical.bottom)};
    }
    return box;
}

std::optional<LogicalPoint> OutputLayout::ToLogical(Point screen) const {
    for (std::size_t i = 0; i < m_screens.size(); ++i) {
        const Rect& r = m_screens[i];
        if (r.Contains(screen)) {
            const Rect& l = m_outputs[i].logical;
            return LogicalPoint{l.left + double(int64_t(screen.x) - r.left) / ScaleX(i),
                                l.top + double(int64_t(screen.y) - r.top) / ScaleY(i), i};
        }
    }
    return std::nullopt;
}

}  // namespace qrv
