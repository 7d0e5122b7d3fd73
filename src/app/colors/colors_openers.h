#pragma once

#include <string>

#include <QString>

#include "core/base/geometry.h"

class QWidget;

namespace qrv {

struct AppServices;
struct CollectedColors;

// The two ways into the unique-colours dialog. Each collects the colours of
// its source under the wait cursor and shows them modally over `parent`; the
// colours live until the dialog is closed. While the dialog is open it holds
// an F key of its own (see ColorsDialog) on a connection of its own, so a key
// the main window has taken is skipped.
class ColorsOpeners {
  public:
    explicit ColorsOpeners(AppServices& services);

    // The colours of the picture to find when that file exists; otherwise of
    // an image file the user picks (cancelling shows nothing). A file that
    // cannot be decoded is reported and shows nothing.
    void OpenForImageFile(QWidget* parent, const std::string& picturePath);
    // The colours of a rectangle of the screen (screen coordinates, right and
    // bottom exclusive).
    void OpenForScreenArea(QWidget* parent, const Rect& area);

    static QString ImageFileFilter();

  private:
    QString AskImageFile(QWidget* parent);
    void Show(QWidget* parent, CollectedColors& colors);

    AppServices& m_services;
};

}  // namespace qrv
