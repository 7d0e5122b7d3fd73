#include "app/preview/picture_preview.h"

#include <cmath>

#include <QPainter>
#include <QTimer>

#include "app/widgets/app_icons.h"
#include "app/widgets/message_boxes.h"
#include "app/widgets/qt_pixel_image.h"
#include "app/widgets/screen_pixels.h"
#include "core/desktop/image_codec.h"

namespace qrv {

PicturePreview::PicturePreview(ImageCodec& codec, const std::string& path, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("picturePreview"));
    setWindowIcon(AppIcons::Normal());
    setWindowTitle(QStringLiteral("Picture Preview - %1").arg(MessageBoxes::Caption()));
    DecodedImage decoded;
    if (codec.LoadImageFile(path, decoded) == kStatusOk) {
        m_picture = ToQImage(decoded.pixels);
        m_picture.setDevicePixelRatio(ScreenPixels::Ratio());  // one to one on the screen
    }
    resize(WantedFrameSize());
}

QSize PicturePreview::WantedFrameSize() const {
    const qreal ratio = ScreenPixels::Ratio();
    return QSize(int(std::ceil((m_picture.width() + kMargin) / ratio)),
                 int(std::ceil((m_picture.height() + kMargin) / ratio)));
}

void PicturePreview::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // The frame is known only once the window manager has framed the window,
    // which may take a moment; fitting again is harmless.
    QTimer::singleShot(0, this, &PicturePreview::FitToPicture);
    QTimer::singleShot(kRefitDelayMs, this, &PicturePreview::FitToPicture);
}

void PicturePreview::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    if (!m_picture.isNull()) {
        painter.drawImage(0, 0, m_picture);
    }
}

void PicturePreview::FitToPicture() {
    const QSize frameExtra = frameGeometry().size() - geometry().size();
    resize(WantedFrameSize() - frameExtra);
}

}  // namespace qrv
