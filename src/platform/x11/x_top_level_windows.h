#pragma once

#include <memory>
#include <optional>
#include <string>

#include "core/desktop/top_level_windows.h"

namespace qrv {

class XDisplay;

// The client windows of the X screen: the window manager's client list, or
// without one the mapped children of the root window (looking through the
// frames of a reparenting manager). Minimised windows and those on other
// workspaces are visible; a window that owns a shown modal dialog is not
// enabled.
class XTopLevelWindows : public TopLevelWindows {
  public:
    explicit XTopLevelWindows(const std::string& displayName = {});
    ~XTopLevelWindows() override;

    bool Connected() const { return m_display != nullptr; }
    std::vector<TopLevelWindow> Enumerate() override;

  private:
    std::vector<unsigned long> RootChildClients() const;
    unsigned long ClientOf(unsigned long frame) const;
    TopLevelWindow Describe(unsigned long window) const;
    // The window that a modal dialog belongs to.
    std::optional<unsigned long> ModalOwner(unsigned long window) const;

    std::unique_ptr<XDisplay> m_display;
};

}  // namespace qrv
