#pragma once

#include <chrono>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "core/base/geometry.h"
#include "core/desktop/screen_source.h"

struct zwlr_screencopy_manager_v1;

namespace qrv {

class OutputLayout;
class ScreencopyStream;
class WaylandDisplay;
class WaylandEventPump;

// Reads the screen of a wlroots compositor through wlr-screencopy. While
// captures are being made, each output they touch is copied by the
// compositor whenever it draws a changed frame, and a capture reads the
// newest copy once a roundtrip has brought in every frame drawn before it
// was called; the first capture, and the first after `idleAfter` without
// one, waits for a fresh frame. Areas may span outputs; what lies off every
// output is black. Safe to use from several threads.
class WaylandScreenSource : public ScreenSource {
  public:
    explicit WaylandScreenSource(const std::string& displayName = {},
                                 std::chrono::milliseconds idleAfter = std::chrono::seconds(2));
    ~WaylandScreenSource() override;

    // False without a compositor or without screencopy.
    bool Connected() const { return m_manager != nullptr; }
    bool Capture(Rect area, PixelImage& into) override;
    // A capture whose pixels are dropped: it starts the copies of the outputs.
    void Prepare(Rect area, PixelImage& into) override;
    // Copies armed with the compositor, over every output.
    std::size_t ArmedCopies();

  private:
    ScreencopyStream* StreamOf(const OutputLayout& layout, std::size_t output);
    bool CopyPart(const Rect& screen, const ScreencopyStream& stream, const Rect& area,
                  PixelImage& into) const;
    // The pump's work: takes in the compositor's events, withdraws the copies
    // of outputs gone idle and says when to look again.
    bool Pump(int& waitMs);

    std::shared_ptr<WaylandDisplay> m_display;
    zwlr_screencopy_manager_v1* m_manager = nullptr;
    std::chrono::milliseconds m_idleAfter;
    // By output name.
    std::map<std::string, std::unique_ptr<ScreencopyStream>> m_streams;
    // The outputs a capture covers, kept so that captures allocate nothing.
    std::vector<std::pair<Rect, ScreencopyStream*>> m_parts;
    std::mutex m_mutex;
    // Brings in the compositor's copies between captures.
    std::unique_ptr<WaylandEventPump> m_pump;
};

}  // namespace qrv
