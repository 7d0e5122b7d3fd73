#pragma once

#include <string>

#include <QDialog>
#include <QImage>

namespace qrv {

class ImageCodec;

// Shows the picture to find at the top-left of its client area, in a window
// sized to the picture plus 100 pixels each way. A picture that does not load
// leaves a 100 x 100 empty window.
class PicturePreview : public QDialog {
    Q_OBJECT

  public:
    static constexpr int kMargin = 100;
    static constexpr int kRefitDelayMs = 200;

    PicturePreview(ImageCodec& codec, const std::string& path, QWidget* parent);

    const QImage& Picture() const { return m_picture; }
    // Outer size the window takes for the loaded picture.
    QSize WantedFrameSize() const;

  protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    void FitToPicture();

    QImage m_picture;
};

}  // namespace qrv
