#include <cmath>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTest>

#include "app/main_window/control_ids.h"
#include "app/main_window/main_dialog_controls.h"
#include "app/main_window/quorvane_dialog.h"
#include "app/preview/live_preview.h"
#include "app/selector/screen_area_selector.h"
#include "app/services/app_services.h"
#include "app_fixture.h"
#include "click_target.h"
#include "core/desktop/display_layout.h"
#include "core/desktop/image_codec.h"
#include "core/desktop/input_injector.h"
#include "core/imaging/picture_admission.h"
#include "core/settings/profile.h"

namespace qrv {
namespace {

using SelectorTest = AppFixture;

// The test desktop's left monitor starts at x = -1280.
constexpr Point kVirtualOrigin{-1280, 0};

// Physical pixels relative to the virtual screen, as every test here gives them.
struct Drag {
    QPoint from;
    QPoint to;
};

// The selector's device pixel that shows a physical pixel: the window system
// scales the window by one ratio from its corner.
QPointF DevicePixel(const QWidget* selector, QPoint pixel) {
    const QPoint primary = QGuiApplication::primaryScreen()->geometry().topLeft();
    return QPointF(pixel + QPoint(kVirtualOrigin.x, kVirtualOrigin.y) + primary -
                   selector->geometry().topLeft());
}

// The pointer over a physical pixel of the selector, as the window system
// reports it: the global position by the monitor under it, the local one by
// the window's ratio. At a fractional scale factor both are fractional.
void SendMouse(QWidget* selector, QEvent::Type type, QPoint pixel) {
    const QPointF global =
        ToGlobal(Point{kVirtualOrigin.x + pixel.x(), kVirtualOrigin.y + pixel.y()});
    const QPointF local = DevicePixel(selector, pixel) / selector->devicePixelRatioF();
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, local, global,
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held,
                      Qt::NoModifier);
    QApplication::sendEvent(selector, &event);
}

// Drags on the next selector once it shows.
void DragOnNextSelector(Drag drag, std::function<void()> beforeRelease = {}) {
    OnNextModal([drag, beforeRelease](QWidget* modal) {
        auto* selector = qobject_cast<ScreenAreaSelector*>(modal);
        ASSERT_NE(selector, nullptr);
        SendMouse(selector, QEvent::MouseButtonPress, drag.from);
        SendMouse(selector, QEvent::MouseMove, drag.to);
        if (beforeRelease) {
            beforeRelease();
        }
        SendMouse(selector, QEvent::MouseButtonRelease, drag.to);
    });
}

// Pixels (100, 50) to (300, 250) of the virtual screen, whose origin is the
// left monitor at x = -1280, dragged either way.
TEST_F(SelectorTest, DragOverTwoMonitorsSetsTheAreaInScreenCoordinates) {
    ASSERT_EQ(Services().layout.VirtualScreen(), (Rect{-1280, 0, 1920, 1080}));
    for (Drag drag : {Drag{{100, 50}, {300, 250}}, Drag{{300, 250}, {100, 50}}}) {
        QuorvaneDialog& dialog = OpenMainWindow();
        DragOnNextSelector(drag);
        Click(ctl::kCaptureScreenArea);

        Profile& profile = GetProfile();
        EXPECT_EQ(profile.Get(keys::kStartingPointX), -1180);
        EXPECT_EQ(profile.Get(keys::kStartingPointY), 50);
        EXPECT_EQ(profile.Get(keys::kClosingPointX), -980);
        EXPECT_EQ(profile.Get(keys::kClosingPointY), 250);
        const MainDialogControls& c = dialog.Controls();
        EXPECT_EQ(c.Edit(ctl::kAreaLeft)->text(), QStringLiteral("-1180"));
        EXPECT_EQ(c.Edit(ctl::kAreaTop)->text(), QStringLiteral("50"));
        EXPECT_EQ(c.Edit(ctl::kAreaWidth)->text(), QStringLiteral("200"));
        EXPECT_EQ(c.Edit(ctl::kAreaHeight)->text(), QStringLiteral("200"));
        EXPECT_EQ(profile.Get(keys::kScreenAreaLeft), -1180);
        EXPECT_EQ(profile.Get(keys::kScreenAreaHeight), 200);

        // The captured area opens in the live preview, 50 pixels larger each way.
        LivePreview* preview = dialog.CurrentLivePreview();
        ASSERT_NE(preview, nullptr);
        const qreal ratio = preview->devicePixelRatioF();
        EXPECT_EQ(preview->size() * ratio, QSize(250, 250));
        EXPECT_EQ(preview->Area(), (Rect{-1180, 50, -980, 250}));
        EXPECT_TRUE(WaitFor([&] { return preview->Shown().size() == QSize(200, 200); }));
    }
}

TEST_F(SelectorTest, EscapeCancelsButStillStoresTheCorners) {
    QuorvaneDialog& dialog = OpenMainWindow();
    OnNextModal([](QWidget* modal) {
        SendMouse(modal, QEvent::MouseButtonPress, QPoint(10, 10));
        QTest::keyClick(modal, Qt::Key_Escape);
    });
    Click(ctl::kCaptureScreenArea);
    EXPECT_EQ(dialog.Controls().Edit(ctl::kAreaWidth)->text(), QStringLiteral("0"));
    EXPECT_EQ(dialog.CurrentLivePreview(), nullptr);
    EXPECT_EQ(GetProfile().Get(keys::kStartingPointX), -1280);
    EXPECT_EQ(GetProfile().Get(keys::kClosingPointX), -1270);
    EXPECT_EQ(GetProfile().Get(keys::kClosingPointY), 10);
}

TEST_F(SelectorTest, CapturePictureWritesAPngAdmittedAs32Bits) {
    GetProfile().Write(keys::kAutoDisplayPictureToFindPreview, 0);
    // The window goes to the left monitor first, clear of the target at any scale.
    QuorvaneDialog& dialog = OpenMainWindow();
    dialog.move(0, 0);
    ASSERT_TRUE(WaitFor([&] { return dialog.frameGeometry().topLeft() == QPoint(0, 0); }));
    ClickTarget target(QPoint(200, 600), QSize(200, 150), QSize(24, 18));
    target.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&target));

    const Point before{-600, 300};
    const Point after{900, 100};
    Services().input.SetCursorPos(before);
    const Point corner = target.PictureOnScreen();
    const QPoint from(corner.x - kVirtualOrigin.x, corner.y - kVirtualOrigin.y);
    const QPoint to = from + QPoint(target.Picture().width(), target.Picture().height());
    QImage overlay;
    QPointF overlayCorner;
    DragOnNextSelector({from, to}, [&] {
        QWidget* selector = QApplication::activeModalWidget();
        overlay = selector->grab().toImage();
        overlayCorner = DevicePixel(selector, from);
        Services().input.SetCursorPos(after);
    });
    Click(ctl::kCapturePicture);

    const QString path = dialog.Controls().Edit(ctl::kPicturePath)->text();
    const QFileInfo file(path);
    ASSERT_TRUE(file.exists()) << path.toStdString();
    EXPECT_EQ(file.absolutePath(),
              QDir(m_dir.filePath(QStringLiteral("data/Quorvane-by-Tolbrin"))).absolutePath());
    EXPECT_TRUE(file.fileName().startsWith(QStringLiteral("Picture to Find  at ")));
    EXPECT_EQ(file.suffix(), QStringLiteral("png"));
    EXPECT_EQ(GetProfile().Get(keys::kPictureToFindFilePath), path.toStdString());
    EXPECT_EQ(Services().input.CursorPos(), after);

    // The selection shows the screen undimmed, one screen pixel per pixel,
    // inside its outline of one unit.
    ASSERT_FALSE(overlay.isNull());
    const int edge = int(std::ceil(2 * overlay.devicePixelRatio())) + 1;
    for (int y = edge; y < target.Picture().height() - edge; ++y) {
        for (int x = edge; x < target.Picture().width() - edge; ++x) {
            const QPoint at = (overlayCorner + QPointF(x, y)).toPoint();
            ASSERT_EQ(overlay.pixel(at) & 0xFFFFFFu, target.Picture().pixel(x, y) & 0xFFFFFFu)
                << x << "," << y;
        }
    }

    DecodedImage decoded;
    const uint32_t status = Services().codec.LoadImageFile(path.toStdString(), decoded);
    EXPECT_EQ(AdmitPicture(status, decoded.bitsPerPixel), PictureAdmission::Admitted);
    ASSERT_EQ(decoded.pixels.m_iWidth, target.Picture().width());
    ASSERT_EQ(decoded.pixels.m_iHeight, target.Picture().height());
    for (int y = 0; y < target.Picture().height(); ++y) {
        for (int x = 0; x < target.Picture().width(); ++x) {
            const QRgb want = target.Picture().pixel(x, y);
            const uint32_t packed =
                uint32_t(qRed(want)) | uint32_t(qGreen(want)) << 8 | uint32_t(qBlue(want)) << 16;
            ASSERT_EQ(decoded.pixels.PackedAt(x, y), packed) << x << "," << y;
        }
    }
}

// The live preview copies the area one screen pixel to one screen pixel,
// whatever Qt's scale factor.
TEST_F(SelectorTest, LivePreviewShowsTheAreaOneToOne) {
    ClickTarget target(QPoint(200, 600), QSize(200, 150), QSize(24, 18));
    target.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&target));
    const Point corner = target.PictureOnScreen();
    const QSize size = target.Picture().size();
    LivePreview preview(Services().screen, Rect{corner.x, corner.y, corner.x + size.width(),
                                                corner.y + size.height()});
    preview.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&preview));
    ASSERT_TRUE(WaitFor([&] { return !preview.Shown().isNull(); }));
    const QImage shown = preview.grab().toImage();
    ASSERT_GE(shown.width(), size.width());
    ASSERT_GE(shown.height(), size.height());
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            ASSERT_EQ(shown.pixel(x, y) & 0xFFFFFFu, target.Picture().pixel(x, y) & 0xFFFFFFu)
                << x << "," << y;
        }
    }
}

}  // namespace
}  // namespace qrv
