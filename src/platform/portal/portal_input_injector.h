#pragma once

#include <memory>
#include <mutex>
#include <vector>

#include "core/desktop/input_injector.h"
#include "platform/portal/portal_session.h"

namespace qrv {

// Mouse input through the desktop portal's RemoteDesktop session: absolute
// motion on the screen-cast stream of the monitor under the point, in that
// stream's own coordinates, presses and releases of the left, right and
// middle buttons, and wheel steps. Where the
// portal leaves the positions of several streams out (KDE), a point off the last stream's
// monitor is reached from that monitor's centre by a relative motion: Plasma
// 5.27 puts every absolute motion on the monitor of the last stream it
// started, whichever stream it names. The portal cannot report the pointer's
// position, so the cursor position is the last one this injector moved to,
// unknown until its first absolute move. Safe to use from several threads.
class PortalInputInjector : public InputInjector {
  public:
    // `streams`: the session's streams that stand for the monitors.
    PortalInputInjector(std::shared_ptr<PortalSession> session,
                        std::vector<PortalSession::Stream> streams);

    void Inject(const MouseEvent& event) override;
    std::optional<Point> CursorPos() override;
    // Moves the pointer there with one absolute motion.
    void SetCursorPos(Point p) override;

  private:
    void MoveTo(Point p);
    void MoveBy(int32_t dx, int32_t dy);
    void MoveOn(const PortalSession::Stream& stream, Point p);

    std::shared_ptr<PortalSession> m_session;
    std::vector<PortalSession::Stream> m_streams;
    Rect m_virtualScreen;
    bool m_fromLastStream;
    std::optional<Point> m_cursor;
    std::mutex m_mutex;
};

}  // namespace qrv
