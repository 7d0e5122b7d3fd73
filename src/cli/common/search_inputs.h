#pragma once

#include <memory>
#include <optional>
#include <string>

#include "cli/find/find_options.h"
#include "core/search/image_screen_source.h"
#include "core/search/offscreen_desktop.h"
#include "platform/desktop_platform.h"

namespace qrv::cli {

// What `find` and `explain` work on: the decoded picture, the search area,
// and the desktop around it — a screen image with an offscreen desktop, or
// the live desktop. Every input is checked before the live desktop is opened,
// so that a refused command never raises the desktop's consent dialog.
class SearchInputs {
  public:
    // The inputs of `o`; null, with `error` set to one line, when one of them
    // is refused or the live desktop cannot be had.
    static std::unique_ptr<SearchInputs> Open(const FindOptions& o, std::string& error);

    DesktopPlatform& Platform() { return *m_platform; }
    ScreenSource& Screen() { return m_image ? *m_image : *m_platform->screen; }
    DisplayLayout& Layout() { return m_offscreen ? *m_offscreen : *m_platform->layout; }
    InputInjector& Input() { return m_offscreen ? *m_offscreen : *m_platform->input; }
    Beeper& Sound() { return m_offscreen ? *m_offscreen : *m_platform->beeper; }
    WindowActivator& Activator() { return m_offscreen ? *m_offscreen : *m_platform->activator; }
    TopLevelWindows& Windows() { return m_offscreen ? *m_offscreen : *m_platform->windows; }

    // The search area: --area, else the whole screen image.
    Rect Area() const { return m_area; }
    // The picture to find, taken by the caller.
    DecodedImage& Picture() { return m_picture; }
    // The header of a picture larger than the area, which was not decoded;
    // the live desktop is then not opened either.
    const std::optional<ImageHeader>& OversizedPicture() const { return m_oversized; }

  private:
    SearchInputs() = default;
    bool OpenScreenImage(const FindOptions& o, std::string& error);
    bool OpenLiveDesktop(std::string& error);

    std::unique_ptr<DesktopPlatform> m_platform;
    DecodedImage m_picture;
    std::optional<ImageHeader> m_oversized;
    std::unique_ptr<ImageScreenSource> m_image;
    std::unique_ptr<OffscreenDesktop> m_offscreen;
    Rect m_area;
};

}  // namespace qrv::cli
