#pragma once

#include <cstdint>

#include <QString>

class QWidget;

namespace qrv {

struct AppServices;
struct MainWindowFields;
class FieldExchange;

// Choosing the picture to find from an image file (only 32-bit pictures are
// admitted) and showing the chosen file in the file manager.
class PictureFileCommands {
  public:
    static const QString kImageFilter;

    PictureFileCommands(QWidget* owner, MainWindowFields& fields, FieldExchange& exchange,
                        AppServices& services);

    void SelectPictureFile();
    // Admits `path` as the picture to find or tells the user why not.
    void AdmitPictureFile(const QString& path);
    void Locate();

    // The load failure message, ending with why the file could not be used.
    static QString LoadFailedText(uint32_t status, const QString& path);
    static QString WrongDepthText(int32_t bitsPerPixel);
    static QString NotFoundText(const QString& path);

  private:
    static QString FailureReason(uint32_t status, const QString& path);
    // The file's properties, else the file in its folder.
    void ShowFile(const QString& path);

    QWidget* m_owner;
    MainWindowFields& m_fields;
    FieldExchange& m_exchange;
    AppServices& m_services;
};

}  // namespace qrv
