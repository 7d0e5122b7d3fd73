#include <algorithm>
#include <memory>
#include <vector>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPointer>
#include <QProcess>
#include <QWidget>

#include "app/colors/color_list_model.h"
#include "app/colors/colors_dialog.h"
#include "app/colors/colors_openers.h"
#include "app/services/app_services.h"
#include "app/widgets/find_control.h"
#include "app_fixture.h"
#include "core/base/pixel_image.h"
#include "core/desktop/input_injector.h"
#include "core/desktop/screen_source.h"
#include "core/desktop/user_folders.h"
#include "platform/x11/x_global_hot_keys.h"

namespace qrv {
namespace {

// Root x of the primary monitor's left edge: screen x 0.
constexpr int kPrimaryRootX = 1280;

// A borderless window of coloured blocks at a fixed screen place, above all others.
class ColorBlocks : public QWidget {
  public:
    ColorBlocks(Point at, std::vector<QColor> colors, int block)
        : QWidget(nullptr, Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint |
                               Qt::WindowStaysOnTopHint),
          m_colors(std::move(colors)),
          m_block(block) {
        setGeometry(at.x + kPrimaryRootX, at.y, block * int(m_colors.size()), block);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        for (std::size_t i = 0; i < m_colors.size(); ++i) {
            painter.fillRect(int(i) * m_block, 0, m_block, m_block, m_colors[i]);
        }
    }

  private:
    std::vector<QColor> m_colors;
    int m_block;
};

uint32_t Packed(const QColor& c) {
    return uint32_t(c.red()) | uint32_t(c.green()) << 8 | uint32_t(c.blue()) << 16;
}

class ColorsOpenersTest : public AppFixture {
  protected:
    // A watch that never fired must not outlive the test.
    void TearDown() override {
        delete m_watch.data();
        AppFixture::TearDown();
    }

    // Shows the blocks and waits until the screen shows their first colour.
    std::unique_ptr<ColorBlocks> ShowBlocks(Point at, std::vector<QColor> colors) {
        const uint32_t first = Packed(colors.front());
        auto blocks = std::make_unique<ColorBlocks>(at, std::move(colors), 20);
        blocks->show();
        PixelImage pixel;
        EXPECT_TRUE(WaitFor([&] {
            Services().screen.Capture(at.x + 1, at.y + 1, 1, 1, pixel);
            return pixel.PackedAt(0, 0) == first;
        }));
        return blocks;
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
    QFile broken(m_dir.filePath("broken.png"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("not an image");
    broken.close();
    const auto seen = AnswerNextMessage();
    ColorsOpeners(Services()).OpenForImageFile(nullptr, broken.fileName().toStdString());
    EXPECT_EQ(seen->text, "Failed to Load Image, Error 80004005.\n\n" + broken.fileName());
    EXPECT_EQ(seen->icon, QMessageBox::Critical);
}

TEST_F(ColorsOpenersTest, FunctionKeyAddsTheColorUnderTheCursor) {
    const Point area{100, 200};
    auto source = ShowBlocks(area, {Qt::white, Qt::black});
    const Point spot{300, 400};
    auto target = ShowBlocks(spot, {QColor(0x12, 0x34, 0x56)});
    // Another client holds F6, so the dialog takes F7.
    XGlobalHotKeys other;
    ASSERT_TRUE(other.Register(7, 0, ColorsDialog::kFirstHotKey));
    InspectColors([&](ColorsDialog& dialog) {
        ASSERT_EQ(dialog.HotKey(), ColorsDialog::kFirstHotKey + 1);
        ASSERT_EQ(dialog.Model().rowCount(), 2);
        Services().input.SetCursorPos({spot.x + 5, spot.y + 5});
        ASSERT_EQ(QProcess::execute("xdotool", {"key", "F7"}), 0);
        ASSERT_TRUE(WaitFor([&] { return dialog.Model().rowCount() == 3; }));
        const auto rows = Rows(dialog);
        EXPECT_NE(std::find(rows.begin(), rows.end(), 0x563412u), rows.end());
        EXPECT_EQ(dialog.windowTitle(), "3 Unique Pixel Color(s) - Quorvane by Tolbrin");
        EXPECT_EQ(FindControl<QLabel>(&dialog, QStringLiteral("summaryLine"))->text(),
                  "2 Unique Colors from Screen Area Top 200, Left 100, Width 40, Height 20");
    });
    ColorsOpeners(Services())
        .OpenForScreenArea(nullptr, Rect{area.x, area.y, area.x + 40, area.y + 20});
    EXPECT_TRUE(m_shown);
    // Once the dialog is gone, F7 is free again.
    XGlobalHotKeys after;
    EXPECT_TRUE(after.Register(1, 0, ColorsDialog::kFirstHotKey + 1));
}

}  // namespace
}  // namespace qrv
