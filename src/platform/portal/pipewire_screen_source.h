#pragma once

#include <memory>
#include <mutex>
#include <vector>

#include "core/base/geometry.h"
#include "core/desktop/screen_source.h"

namespace qrv {

class PipeWireStream;

// Reads the screen from screen-cast streams, one per monitor (as the desktop
// portal hands them out): an area is pieced together from the newest frame
// of every stream it covers; what no stream shows reads black. A capture
// fails when a monitor it covers has sent no whole frame of the monitor's
// size within the wait (buffers without a picture are no frame), so that a
// desktop that sends no frames is never searched as a blank screen. Safe to
// use from several threads.
class PipeWireScreenSource : public ScreenSource {
  public:
    struct Monitor {
        std::unique_ptr<PipeWireStream> stream;
        Rect area;
    };
    // `firstFrameMs` bounds each capture's wait for a stream's first frame.
    PipeWireScreenSource(std::vector<Monitor> monitors, int firstFrameMs);
    ~PipeWireScreenSource() override;

    bool Capture(Rect area, PixelImage& into) override;

  private:
    std::vector<Monitor> m_monitors;
    int m_firstFrameMs;
    PixelImage m_frame;
    std::mutex m_mutex;
};

}  // namespace qrv
