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
// of every stream it covers; what no stream shows reads black. A stream
// whose frames are not the size of its monitor is left out. Safe to use from
// several threads.
class PipeWireScreenSource : public ScreenSource {
  public:
    struct Monitor {
        std::unique_ptr<PipeWireStream> stream;
        Rect area;
    };
    // `firstFrameMs` bounds the wait for a stream's first frame.
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
