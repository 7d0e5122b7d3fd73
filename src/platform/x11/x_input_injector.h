#pragma once

#include <memory>
#include <mutex>
#include <string>

#include "core/desktop/input_injector.h"

namespace qrv {

class XDisplay;
class XDesktopGeometryWatch;

// Mouse input through the XTest extension, in screen coordinates. Safe to use
// from several threads (the search worker injects while the window reads the
// cursor).
class XInputInjector : public InputInjector {
  public:
    explicit XInputInjector(const std::string& displayName = {});
    ~XInputInjector() override;

    // False without a server or without XTest.
    bool Connected() const { return m_display != nullptr; }
    void Inject(const MouseEvent& event) override;
    std::optional<Point> CursorPos() override;
    bool TracksPointer() const override { return true; }
    void SetCursorPos(Point p) override;

  private:
    void InjectMove(const MouseEvent& event);

    std::unique_ptr<XDisplay> m_display;
    std::unique_ptr<XDesktopGeometryWatch> m_geometry;
    std::mutex m_mutex;
};

}  // namespace qrv
