#include <cmath>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLineEdit>
#include <QTest>

#include "app/main_window/control_ids.h"
#include "app/main_window/main_dialog_controls.h"
#include "app/main_window/quorvane_dialog.h"
#include "app/preview/live_preview.h"
#include "app/selector/screen_area_selector.h"
#include "app/selector/selector_overlay.h"
#include "app/services/app_services.h"
#include "app_fixture.h"
#include "click_target.h"
#include "core/desktop/display_layout.h"
#include "core/desktop/image_codec.h"
#include "core/desktop/input_injector.h"
#include "core/desktop/mouse_event.h"
#include "core/imaging/picture_admission.h"
#include "core/settings/profile.h"
#include "fakes/fake_screen_source.h"

namespace qrv {
namespace {

using SelectorTest = AppFixture;

struct Drag {
    Point from;  // screen coordinates
    Point to;
};

// The overlay over a screen pixel: each monitor has its own.
QWidget* OverlayAt(Point pixel) {
    return QApplication::widgetAt(ToGlobal(pixel).toPoint());
}

// The overlay's device pixel that shows a screen pixel of its monitor.
QPointF DevicePixel(const QWidget* overlay, Point pixel) {
    return overlay->mapFromGlobal(ToGlobal(pixel)) * overlay->devicePixelRatioF();
}

void Button(InputInjector& input, uint32_t flags) {
    MouseEvent event;
    event.flags = flags;
    input.Inject(event);
}

// Presses with the real pointer once the selector's overlays are up and moves
// it while the button is held; the window system delivers both to the
// overlay under the press as it would a user's, in Qt's units.
void PressAndMove(ScreenAreaSelector& selector, InputInjector& input, Drag drag) {
    QObject seen;
    int presses = 0;
    int moves = 0;
    for (SelectorOverlay* overlay : selector.findChildren<SelectorOverlay*>()) {
        ASSERT_TRUE(QTest::qWaitForWindowExposed(overlay->window()));
        QObject::connect(overlay, &SelectorOverlay::Pressed, &seen, [&] { ++presses; });
        QObject::connect(overlay, &SelectorOverlay::Moved, &seen, [&] { ++moves; });
    }
    input.SetCursorPos(drag.from);
    Button(input, mouse_flags::kLeftDown);
    ASSERT_TRUE(WaitFor([&] { return presses == 1; }));
    input.SetCursorPos(drag.to);
    ASSERT_TRUE(WaitFor([&] { return moves > 0; }));
}

// Drags on the next selector once it shows.
void DragOnNextSelector(InputInjector& input, Drag drag, std::function<void()> beforeRelease = {}) {
    OnNextModal([&input, drag, beforeRelease](QWidget* modal) {
        auto* selector = qobject_cast<ScreenAreaSelector*>(modal);
        ASSERT_NE(selector, nullptr);
        PressAndMove(*selector, input, drag);
        if (beforeRelease && !testing::Test::HasFatalFailure()) {
            beforeRelease();
        }
        Button(input, mouse_flags::kLeftUp);
        if (testing::Test::HasFatalFailure()) {
            selector->reject();
        }
    });
}

// Drags either way, on the left monitor and from it onto the primary one
// (the events go to the overlay the drag started on, past its monitor's
// edge), set the area in screen coordinates and open it in the live preview.
// Odd corners are exact at any scale factor; the sizes are such that the
// preview can be 50 pixels larger at 1.25, 1.5 and 2.
TEST_F(SelectorTest, DragsSetTheAreaInScreenCoordinates) {
    ASSERT_EQ(Services().layout.VirtualScreen(), (Rect{-1280, 0, 1920, 1080}));
    const std::pair<Drag, Rect> cases[] = {
        {{{-1179, 51}, {-959, 241}}, {-1179, 51, -959, 241}},
        {{{-959, 241}, {-1179, 51}}, {-1179, 51, -959, 241}},
        {{{-81, 501}, {169, 631}}, {-81, 501, 169, 631}},
        {{{1001, 711}, {601, 401}}, {601, 401, 1001, 711}},
    };
    for (const auto& [drag, area] : cases) {
        QuorvaneDialog& dialog = OpenMainWindow();
        DragOnNextSelector(Services().input, drag);
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
    InputInjector& input = Services().input;
    const Point press{-1269, 11};
    OnNextModal([&](QWidget* modal) {
        auto* selector = qobject_cast<ScreenAreaSelector*>(modal);
        ASSERT_NE(selector, nullptr);
        PressAndMove(*selector, input, {press, Point{press.x + 1, press.y}});
        // On the left monitor's overlay, a window of its own.
        QWidget* overlay = OverlayAt(press);
        ASSERT_NE(overlay->window(), modal);
        QTest::keyClick(overlay, Qt::Key_Escape);
    });
    Click(ctl::kCaptureScreenArea);
    Button(input, mouse_flags::kLeftUp);
    EXPECT_EQ(dialog.Controls().Edit(ctl::kAreaWidth)->text(), QStringLiteral("0"));
    EXPECT_EQ(dialog.CurrentLivePreview(), nullptr);
    EXPECT_EQ(GetProfile().Get(keys::kStartingPointX), -1280);
    EXPECT_EQ(GetProfile().Get(keys::kClosingPointX), press.x);
    EXPECT_EQ(GetProfile().Get(keys::kClosingPointY), press.y);
}

// The picture is cut from the still the selector showed, not from the screen
// as it is after the drag.
TEST_F(SelectorTest, CapturePictureWritesTheStillAsAPngAdmittedAs32Bits) {
    GetProfile().Write(keys::kAutoDisplayPictureToFindPreview, 0);
    // The window goes to the left monitor first, clear of the target at any scale.
    QuorvaneDialog& dialog = OpenMainWindow();
    dialog.move(0, 0);
    ASSERT_TRUE(WaitFor([&] { return dialog.frameGeometry().topLeft() == QPoint(0, 0); }));
    ClickTarget target(QPoint(200, 600), QSize(200, 150), QSize(24, 18));
    target.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&target));

    const Point before{-600, 300};
    Services().input.SetCursorPos(before);
    const Point from = target.PictureOnScreen();
    const Point to{from.x + target.Picture().width(), from.y + target.Picture().height()};
    QImage overlay;
    QPointF overlayCorner;
    DragOnNextSelector(Services().input, {from, to}, [&] {
        QWidget* over = OverlayAt(from);
        overlay = over->grab().toImage();
        overlayCorner = DevicePixel(over, from);
        target.hide();
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
    // Where the selection ended.
    EXPECT_EQ(Services().input.CursorPos(), to);

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

// A screen that cannot be read leaves nothing to cut: a message, no picture.
TEST_F(SelectorTest, CapturePictureOfAnUnreadableScreenSaysSo) {
    auto screen = std::make_unique<FakeScreenSource>();
    screen->SetFailing(true);
    UseScreen(std::move(screen));
    QuorvaneDialog& dialog = OpenMainWindow();
    const QString path = dialog.Controls().Edit(ctl::kPicturePath)->text();
    std::shared_ptr<SeenMessage> message;
    DragOnNextSelector(Services().input, {{101, 101}, {141, 131}}, [&] {
        message = AnswerNextMessage(QMessageBox::Ok, QApplication::activeModalWidget());
    });
    Click(ctl::kCapturePicture);
    ASSERT_TRUE(message && message->seen);
    EXPECT_EQ(message->text, QStringLiteral("Unknown Error when Capturing Screenshot."));
    EXPECT_EQ(message->icon, QMessageBox::Critical);
    EXPECT_EQ(dialog.Controls().Edit(ctl::kPicturePath)->text(), path);
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
