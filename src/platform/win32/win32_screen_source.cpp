#include "platform/win32/win32_screen_source.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

#include "platform/win32/dib_section.h"
#include "platform/win32/win32_display_layout.h"

namespace qrv::win32 {
namespace {

// The screen device context, released when done.
class ScreenDc {
  public:
    ScreenDc() : m_dc(GetDC(nullptr)) {}
    ~ScreenDc() {
        if (m_dc) {
            ReleaseDC(nullptr, m_dc);
        }
    }
    ScreenDc(const ScreenDc&) = delete;
    ScreenDc& operator=(const ScreenDc&) = delete;
    HDC Get() const { return m_dc; }

  private:
    HDC m_dc;
};

struct Span {
    int64_t left, top, right, bottom;
    bool Empty() const { return left >= right || top >= bottom; }
};

Span Intersect(const Span& a, const Span& b) {
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom)};
}

std::vector<uint8_t> HeaderBlock(const DibSection& section) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(&section.Header());
    return {bytes, bytes + sizeof(BITMAPINFOHEADER)};
}

}  // namespace

Win32ScreenSource::Win32ScreenSource() = default;
Win32ScreenSource::~Win32ScreenSource() = default;

bool Win32ScreenSource::Capture(Rect rect, PixelImage& into) {
    std::lock_guard lock(m_mutex);
    if (!rect.Valid() || int64_t(rect.Width()) * rect.Height() > kMaxPixels) {
        into.Clear();
        return false;
    }
    const int32_t width = rect.Width(), height = rect.Height();
    std::shared_ptr<DibSection> section = SectionFor(into, width, height);
    if (!section) {
        into.Clear();
        return false;
    }
    const Span area{rect.left, rect.top, rect.right, rect.bottom};
    std::vector<Span> parts;
    for (const Rect& m : Win32DisplayLayout().Monitors()) {
        const Span part = Intersect(area, Span{m.left, m.top, m.right, m.bottom});
        if (!part.Empty()) {
            parts.push_back(part);
        }
    }
    const bool whole = parts.size() == 1 && parts[0].left == area.left &&
                       parts[0].top == area.top && parts[0].right == area.right &&
                       parts[0].bottom == area.bottom;
    if (!whole) {
        std::memset(section->Bits(), 0, section->Capacity());
    }
    ScreenDc screen;
    bool copied = screen.Get() != nullptr;
    for (const Span& p : parts) {
        copied = copied && BitBlt(section->Dc(), int(p.left - area.left), int(p.top - area.top),
                                  int(p.right - p.left), int(p.bottom - p.top), screen.Get(),
                                  int(p.left), int(p.top), SRCCOPY | CAPTUREBLT);
    }
    GdiFlush();
    if (!copied) {
        std::memset(section->Bits(), 0, section->Capacity());
    }
    into.Adopt(section, section->Bits(), section->Capacity(), width, height);
    into.m_pInfo = HeaderBlock(*section);
    return copied && !parts.empty();
}

void Win32ScreenSource::Prepare(Rect area, PixelImage& into) {
    Capture(area, into);
}

// The section `image` adopted from this source when it has the size asked
// for, else a new one.
std::shared_ptr<DibSection> Win32ScreenSource::SectionFor(PixelImage& image, int32_t width,
                                                          int32_t height) {
    std::erase_if(m_sections, [](const std::weak_ptr<DibSection>& s) { return s.expired(); });
    for (const std::weak_ptr<DibSection>& weak : m_sections) {
        std::shared_ptr<DibSection> section = weak.lock();
        if (section && section == image.Owner() && section->Width() == width &&
            section->Height() == height) {
            return section;
        }
    }
    auto section = std::make_shared<DibSection>(width, height);
    if (!section->Valid()) {
        return nullptr;
    }
    m_sections.push_back(section);
    return section;
}

}  // namespace qrv::win32
