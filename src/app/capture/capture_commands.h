#pragma once

#include <string>

#include "core/base/geometry.h"

class QWidget;

namespace qrv {

class FieldExchange;
struct AppServices;
struct MainWindowFields;

// The main window's two commands that use the screen area selector: taking
// the search area and cutting the picture to find out of the screen.
class CaptureCommands {
  public:
    static constexpr int kCursorSettleMs = 200;

    CaptureCommands(QWidget* owner, MainWindowFields& fields, FieldExchange& exchange,
                    AppServices& services);

    // Makes the selected rectangle the search area and stores it. True when
    // the area changed (the caller may then show the live preview).
    bool CaptureScreenArea();
    // Saves the selected rectangle as a PNG picture in the picture folder and
    // makes it the picture to find.
    void CapturePicture();

    // The rectangle the selector stored last, in screen coordinates.
    Rect StoredSelection() const;
    std::string PictureFolder() const;

  private:
    bool RunSelector();
    // Lets the cursor move away before the screen is read, without leaving
    // other windows unpainted.
    static void SettleCursor();

    QWidget* m_owner;
    MainWindowFields& m_fields;
    FieldExchange& m_exchange;
    AppServices& m_services;
};

}  // namespace qrv
