#pragma once

#include <memory>
#include <string>

#include "core/base/geometry.h"

class QWidget;

namespace qrv {

class FieldExchange;
class ScreenSource;
struct AppServices;
struct CaptureRequest;
struct MainWindowFields;

// The main window's two commands that use the screen area selector: taking
// the search area and cutting the picture to find out of the screen.
class CaptureCommands {
  public:
    CaptureCommands(QWidget* owner, MainWindowFields& fields, FieldExchange& exchange,
                    AppServices& services);

    // Makes the selected rectangle the search area and stores it. True when
    // the area changed (the caller may then show the live preview).
    bool CaptureScreenArea();
    // Saves the selected rectangle, cut from the still the selector showed, as
    // a PNG picture in the picture folder and makes it the picture to find.
    void CapturePicture();

    // The rectangle the selector stored last, in screen coordinates.
    Rect StoredSelection() const;
    std::string PictureFolder() const;

  private:
    // True when the selection was accepted; `still`, when given, receives the
    // screen the selector showed (null when it could not be read).
    bool RunSelector(std::unique_ptr<ScreenSource>* still = nullptr);
    // Writes the request's rectangle of the still to its file. False when
    // there is no still or the cut ran out of memory.
    bool CutFromStill(ScreenSource* still, CaptureRequest& request) const;

    QWidget* m_owner;
    MainWindowFields& m_fields;
    FieldExchange& m_exchange;
    AppServices& m_services;
};

}  // namespace qrv
