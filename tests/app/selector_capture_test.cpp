#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QTest>

#include "app_fixture.h"
#include "click_target.h"
#include "imaging/image_codec.h"
#include "imaging/picture_admission.h"
#include "main_window/control_ids.h"
#include "main_window/main_dialog_controls.h"
#include "main_window/quorvane_dialog.h"
#include "preview/live_preview.h"
#include "search/display_layout.h"
#include "search/input_injector.h"
#include "selector/screen_area_selector.h"
#include "services/app_services.h"
#include "settings/profile.h"

namespace qrv {
namespace {

using SelectorTest = AppFixture;

struct Drag {
    QPoint from;
    QPoint to;
};

// Drags on the next selector (in its client coordinates) once it shows.
void DragOnNextSelector(Drag drag, std::function<void()> beforeRelease = {}) {
    OnNextModal([drag, beforeRelease](QWidget* modal) {
        auto* selector = qobject_cast<ScreenAreaSelector*>(modal);
        ASSERT_NE(selector, nullptr);
        QTest::mousePress(selector, Qt::LeftButton, {}, drag.from);
        QTest::mouseMove(selector, drag.to);
        if (beforeRelease) {
            beforeRelease();
        }
        QTest::mouseRelease(selector, Qt::LeftButton, {}, drag.to);
    });
}

// Client (100, 50) to (300, 250) on an overlay whose origin is the left
// monitor at x = -1280, dragged either way.
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
        EXPECT_EQ(preview->size(), QSize(250, 250));
        EXPECT_EQ(preview->Area(), (Rect{-1180, 50, -980, 250}));
        EXPECT_TRUE(WaitFor([&] { return preview->Shown().size() == QSize(200, 200); }));
    }
}

TEST_F(SelectorTest, EscapeCancelsButStillStoresTheCorners) {
    QuorvaneDialog& dialog = OpenMainWindow();
    OnNextModal([](QWidget* modal) {
        QTest::mousePress(modal, Qt::LeftButton, {}, QPoint(10, 10));
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
    ClickTarget target(QPoint(200, 600), QSize(200, 150), QSize(24, 18));
    target.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&target));
    QuorvaneDialog& dialog = OpenMainWindow();

    const Point before{-600, 300};
    const Point after{900, 100};
    Services().input.SetCursorPos(before);
    const Point corner = target.PictureOnScreen();
    const Rect screen = Services().layout.VirtualScreen();
    const QPoint from(corner.x - screen.left, corner.y - screen.top);
    const QPoint to = from + QPoint(target.Picture().width(), target.Picture().height());
    DragOnNextSelector({from, to}, [&] { Services().input.SetCursorPos(after); });
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

}  // namespace
}  // namespace qrv
