#pragma once

#include <memory>
#include <mutex>
#include <string>

#include "core/desktop/display_layout.h"

namespace qrv {

class XDisplay;
class XDesktopGeometryWatch;

// The monitors of the X screen, read from RandR once and again whenever the
// server reports a changed layout. Safe to use from several threads.
class XDisplayLayout : public DisplayLayout {
  public:
    explicit XDisplayLayout(const std::string& displayName = {});
    ~XDisplayLayout() override;

    bool Connected() const { return m_display != nullptr; }
    Rect VirtualScreen() override;
    std::vector<Rect> Monitors() override;

  private:
    std::unique_ptr<XDisplay> m_display;
    std::unique_ptr<XDesktopGeometryWatch> m_geometry;
    std::mutex m_mutex;
};

}  // namespace qrv
