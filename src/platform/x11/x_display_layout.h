#pragma once

#include <memory>
#include <string>

#include "search/display_layout.h"

namespace qrv {

class XDisplay;

// The monitors of the X screen, read from RandR at every call so that a
// changed layout is seen at once.
class XDisplayLayout : public DisplayLayout {
  public:
    explicit XDisplayLayout(const std::string& displayName = {});
    ~XDisplayLayout() override;

    bool Connected() const { return m_pDisplay != nullptr; }
    Rect VirtualScreen() override;
    std::vector<Rect> Monitors() override;

  private:
    std::unique_ptr<XDisplay> m_pDisplay;
};

}  // namespace qrv
