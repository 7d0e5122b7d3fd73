#include <algorithm>
#include <set>
#include <vector>

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QWidget>

#include "app/colors/color_list_model.h"
#include "app/colors/colors_dialog.h"
#include "app/colors/colors_openers.h"
#include "app/services/app_services.h"
#include "app/widgets/find_control.h"
#include "app_fixture.h"
#include "click_target.h"
#include "core/base/pixel_image.h"
#include "core/desktop/input_injector.h"
#include "core/desktop/screen_source.h"
#include "core/desktop/user_folders.h"
#include "platform/x11/x_global_hot_keys.h"

namespace qrv {
namespace {

class ColorsOpenersTest : public AppFixture {
  protected:
    // A watch that never fired must not outlive the test.
    void TearDown() override {
        delete m_watch.data();
        AppFixture::TearDown();
    }

    QString WriteImage(const QString& name, const std::vector<QColor>& pixels) {
        QImage image(int(pixels.size()), 1, QImage::Format_ARGB32);
        for (std::size_t x = 0; x < pixels.size(); ++x) {
            image.setPixelColor(int(x), 0, pixels[x]);
        }
        const QString path = m_dir.filePath(name);
        EXPECT_TRUE(image.save(path));
        return path;
    }

    // Inspects the colours dialog once it is shown, then closes it.
    void InspectColors(std::function<void(ColorsDialog&)> inspect, QWidget* after = nullptr) {
        m_watch = OnNextModal(
            [this, inspect = std::move(inspect)](QWidget* modal) {
                auto* dialog = qobject_cast<ColorsDialog*>(modal);
                m_shown = dialog != nullptr;
                if (dialog) {
                    inspect(*dialog);
                }
                modal->close();
            },
            after);
    }

    static std::vector<uint32_t> Rows(const ColorsDialog& dialog) {
        std::vector<uint32_t> rows;
        for (int r = 0; r < dialog.Model().rowCount(); ++r) {
            rows.push_back(
                dialog.Model().index(r, 0).data(ColorListModel::kPackedColorRole).toUInt());
        }
        return rows;
    }

    bool m_shown = false;
    QPointer<QObject> m_watch;
};

TEST_F(ColorsOpenersTest, ExistingPictureIsShownWithoutAsking) {
    const QString path =
        WriteImage("five colours.png", {Qt::black, Qt::white, Qt::red, Qt::blue, Qt::green});
    InspectColors([](ColorsDialog& dialog) {
        EXPECT_EQ(Rows(dialog),
                  (std::vector<uint32_t>{0x00FF00, 0x0000FF, 0x000000, 0xFFFFFF, 0xFF0000}));
        EXPECT_EQ(dialog.windowTitle(), "5 Unique Pixel Color(s) - Quorvane by Tolbrin");
        EXPECT_EQ(FindControl<QLabel>(&dialog, QStringLiteral("summaryLine"))->text(),
                  "5 Unique Colors from File five colours.png of Width 5, Height 1");
        EXPECT_EQ(dialog.HotKey(), ColorsDialog::kFirstHotKey);
    });
    ColorsOpeners(Services()).OpenForImageFile(nullptr, path.toStdString());
    EXPECT_TRUE(m_shown);
}

TEST_F(ColorsOpenersTest, MissingPictureAsksForAnImageFile) {
    const QString path = WriteImage("two.png", {Qt::red, Qt::red, Qt::white});
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(Services().folders.DesktopFolder())));
    QString title;
    QStringList filters;
    QString folder;
    OnNextModal([&](QWidget* modal) {
        auto* files = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(files, nullptr);
        title = files->windowTitle();
        filters = files->nameFilters();
        folder = files->directory().absolutePath();
        InspectColors(
            [](ColorsDialog& dialog) {
                EXPECT_EQ(Rows(dialog), (std::vector<uint32_t>{0x0000FF, 0xFFFFFF}));
                EXPECT_EQ(FindControl<QLabel>(&dialog, QStringLiteral("summaryLine"))->text(),
                          "2 Unique Colors from File two.png of Width 3, Height 1");
            },
            files);
        auto* name = FindControl<QLineEdit>(files, QStringLiteral("fileNameEdit"));
        ASSERT_NE(name, nullptr);
        name->setText(path);
        QMetaObject::invokeMethod(files, "accept");
    });
    ColorsOpeners(Services()).OpenForImageFile(nullptr, m_dir.filePath("gone.png").toStdString());
    EXPECT_TRUE(m_shown);
    EXPECT_EQ(title, "Select Image File to View Unique Pixel Color(s) - Quorvane by Tolbrin");
    EXPECT_EQ(filters, QStringList{"Image Files (*.png *.jpg *.jpeg *.bmp *.tiff)"});
    EXPECT_EQ(folder,
              QDir(QString::fromStdString(Services().folders.DesktopFolder())).absolutePath());
}

TEST_F(ColorsOpenersTest, CancelledFileDialogShowsNothing) {
    OnNextModal([&](QWidget* modal) {
        m_watch = OnNextModal(
            [this](QWidget* next) {
                m_shown = true;
                next->close();
            },
            modal);
        qobject_cast<QDialog*>(modal)->reject();
    });
    ColorsOpeners(Services()).OpenForImageFile(nullptr, "");
    QApplication::processEvents();
    EXPECT_FALSE(m_shown);
}

TEST_F(ColorsOpenersTest, UndecodableFileIsReported) {
    const QString broken = m_dir.filePath("broken.png");
    ASSERT_TRUE(WriteFile(broken, "not an image"));
    const auto seen = AnswerNextMessage();
    ColorsOpeners(Services()).OpenForImageFile(nullptr, broken.toStdString());
    EXPECT_EQ(seen->text, "Failed to Load Image, Error 80004005.\n\n" + broken +
                              "\n\nThe file is not an image in a format this program reads.");
    EXPECT_EQ(seen->icon, QMessageBox::Critical);
}

// A window's pattern is listed; the dialog's key (F7: another client holds
// F6) adds the colour under the cursor, the window's plain background.
TEST_F(ColorsOpenersTest, FunctionKeyAddsTheColorUnderTheCursor) {
    ClickTarget target(QPoint(100, 200), QSize(200, 150), QSize(24, 18));
    target.show();
    const Point corner = target.PictureOnScreen();
    const Point spot{corner.x - 10, corner.y - 10};
    PixelImage pixel;
    ASSERT_TRUE(WaitFor([&] {
        return Services().screen.Capture({spot.x, spot.y, spot.x + 1, spot.y + 1}, pixel) &&
               pixel.PackedAt(0, 0) == 0x1E1E1Eu;
    }));
    std::set<QRgb> pattern;
    for (int i = 0; i < 24 * 18; ++i)
        pattern.insert(target.Picture().pixel(i % 24, i / 24) & 0xFFFFFFu);
    ASSERT_EQ(pattern.count(0x1E1E1Eu), 0u);
    const int listed = int(pattern.size());
    XGlobalHotKeys other;
    ASSERT_TRUE(other.Register(7, 0, ColorsDialog::kFirstHotKey));
    InspectColors([&](ColorsDialog& dialog) {
        ASSERT_EQ(dialog.HotKey(), ColorsDialog::kFirstHotKey + 1);
        ASSERT_EQ(dialog.Model().rowCount(), listed);
        Services().input.SetCursorPos(spot);
        ASSERT_EQ(QProcess::execute("xdotool", {"key", "F7"}), 0);
        ASSERT_TRUE(WaitFor([&] { return dialog.Model().rowCount() == listed + 1; }));
        const auto rows = Rows(dialog);
        EXPECT_NE(std::find(rows.begin(), rows.end(), 0x1E1E1Eu), rows.end());
        EXPECT_EQ(dialog.windowTitle(),
                  QString("%1 Unique Pixel Color(s) - Quorvane by Tolbrin").arg(listed + 1));
        EXPECT_EQ(FindControl<QLabel>(&dialog, QStringLiteral("summaryLine"))->text(),
                  QString("%1 Unique Colors from Screen Area Top %2, Left %3, Width 24, Height 18")
                      .arg(listed)
                      .arg(corner.y)
                      .arg(corner.x));
    });
    ColorsOpeners(Services())
        .OpenForScreenArea(nullptr, Rect{corner.x, corner.y, corner.x + 24, corner.y + 18});
    EXPECT_TRUE(m_shown);
    // Once the dialog is gone, F7 is free again.
    XGlobalHotKeys after;
    EXPECT_TRUE(after.Register(1, 0, ColorsDialog::kFirstHotKey + 1));
}

}  // namespace
}  // namespace qrv
