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

// Qt's global point over a physical pixel of the virtual screen.
QPointF Global(QPoint pixel) {
    return ToGlobal(Point{kVirtualOrigin.x + pixel.x(), kVirtualOrigin.y + pixel.y()});
}

// The overlay over a physical pixel: each monitor has its own.
QWidget* OverlayAt(QPoint pixel) {
    return QApplication::widgetAt(Global(pixel).toPoint());
}

// The overlay's device pixel that shows a physical pixel of its monitor.
QPointF DevicePixel(const QWidget* overlay, QPoint pixel) {
    return overlay->mapFromGlobal(Global(pixel)) * overlay->devicePixelRatioF();
}

// The pointer over a physical pixel, as the window system reports it to the
// overlay the drag started on: the global position by the monitor under it,
// the local one by the overlay's ratio. At a fractional scale factor both
// are fractional.
void SendMouse(QWidget* overlay, QEvent::Type type, QPoint pixel) {
    const QPointF global = Global(pixel);
    const QPointF local = overlay->mapFromGlobal(global);
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, local, global,
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held,
                      Qt::NoModifier);
    QApplication::sendEvent(overlay, &event);
}

// Drags on the next selector once it shows.
void DragOnNextSelector(Drag drag, std::function<void()> beforeRelease = {}) {
    OnNextModal([drag, beforeRelease](QWidget* modal) {
        ASSERT_NE(qobject_cast<ScreenAreaSelector*>(modal), nullptr);
        QWidget* overlay = OverlayAt(drag.from);
        ASSERT_NE(overlay, nullptr);
        SendMouse(overlay, QEvent::MouseButtonPress, drag.from);
        SendMouse(overlay, QEvent::MouseMove, drag.to);
        if (beforeRelease) {
            beforeRelease();
        }
        SendMouse(overlay, QEvent::MouseButtonRelease, drag.to);
    });
}

// Drags either way, on the left monitor and from it onto the primary one
// (the events go to the overlay the drag started on, past its monitor's
// edge), set the area in screen coordinates and open it in the live preview.
TEST_F(SelectorTest, DragsSetTheAreaInScreenCoordinates) {
    ASSERT_EQ(Services().layout.VirtualScreen(), (Rect{-1280, 0, 1920, 1080}));
    const std::pair<Drag, Rect> cases[] = {
        {{{100, 50}, {300, 250}}, {-1180, 50, -980, 250}},
        {{{300, 250}, {100, 50}}, {-1180, 50, -980, 250}},
        {{{1200, 500}, {1400, 600}}, {-80, 500, 120, 600}},
        {{{1400, 600}, {1200, 500}}, {-80, 500, 120, 600}},
    };
    for (const auto& [drag, area] : cases) {
        QuorvaneDialog& dialog = OpenMainWindow();
        DragOnNextSelector(drag);
        Click(ctl::kCaptureScreenArea);

        Profile& profile = GetProfile();
        EXPECT_EQ(profile.Get(keys::kStartingPointX), area.left);
        EXPECT_EQ(profile.Get(keys::kStartingPointY), area.top);
        EXPECT_EQ(profile.Get(keys::kClosingPointX), area.right);
        EXPECT_EQ(profile.Get(keys::kClosingPointY), area.bottom);
        const MainDialogControls& c = dialog.Controls();
        EXPECT_EQ(c.Edit(ctl::kAreaLeft)->text(), QString::number(area.left));
        EXPECT_EQ(c.Edit(ctl::kAreaTop)->text(), QString::number(area.top));
        EXPECT_EQ(c.Edit(ctl::kAreaWidth)->text(), QString::number(area.Width()));
        EXPECT_EQ(c.Edit(ctl::kAreaHeight)->text(), QString::number(area.Height()));
        EXPECT_EQ(profile.Get(keys::kScreenAreaLeft), area.left);
        EXPECT_EQ(profile.Get(keys::kScreenAreaHeight), area.Height());

        // The preview is 50 pixels larger each way.
        LivePreview* preview = dialog.CurrentLivePreview();
        ASSERT_NE(preview, nullptr);
        const QSize size(area.Width(), area.Height());
        EXPECT_EQ(preview->size() * preview->devicePixelRatioF(), size + QSize(50, 50));
        EXPECT_EQ(preview->Area(), area);
        EXPECT_TRUE(WaitFor([&] { return preview->Shown().size() == size; }));
    }
}

TEST_F(SelectorTest, EscapeCancelsButStillStoresTheCorners) {
    QuorvaneDialog& dialog = OpenMainWindow();
    OnNextModal([](QWidget* modal) {
        // On the left monitor's overlay, a window of its own.
        QWidget* overlay = OverlayAt(QPoint(10, 10));
        ASSERT_NE(overlay->window(), modal);
        SendMouse(overlay, QEvent::MouseButtonPress, QPoint(10, 10));
        QTest::keyClick(overlay, Qt::Key_Escape);
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
        QWidget* over = OverlayAt(from);
        overlay = over->grab().toImage();
        overlayCorner = DevicePixel(over, from);
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
