#include <gtest/gtest.h>

#include <set>
#include <vector>

#include <QApplication>
#include <QColor>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>

#include "app/colors/color_list_model.h"
#include "app/colors/colors_dialog.h"
#include "app/help_page.h"
#include "app/widgets/find_control.h"
#include "app_fixture.h"
#include "core/colors/color_columns.h"
#include "core/colors/color_list.h"
#include "core/colors/color_set.h"
#include "core/colors/hash_color_key.h"
#include "core/settings/memory_profile_store.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_global_hot_keys.h"
#include "fakes/fake_screen_source.h"
#include "fakes/recording_beeper.h"
#include "fakes/recording_input_injector.h"
#include "fakes/recording_shell.h"
#include "platform/freedesktop/xdg_user_folders.h"
#include "platform/platform_test_support.h"

namespace qrv {
namespace {

constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kRed = 0x0000FF;
constexpr uint32_t kGreen = 0x00FF00;
constexpr uint32_t kBlue = 0xFF0000;
constexpr uint32_t kGrey = 0x7F7F7F;
constexpr Point kCursor{-300, 45};

QTableView* List(const ColorsDialog& dialog) {
    return FindControl<QTableView>(&dialog, QStringLiteral("colorList"));
}
QLabel* Summary(const ColorsDialog& dialog) {
    return FindControl<QLabel>(&dialog, QStringLiteral("summaryLine"));
}
QPushButton* ExportButton(const ColorsDialog& dialog) {
    return FindControl<QPushButton>(&dialog, QStringLiteral("exportButton"));
}

class ColorsDialogTest : public ::testing::Test {
  protected:
    ColorsDialogTest() { cursor.PlaceCursor(kCursor); }

    void Fill(std::initializer_list<uint32_t> colors) {
        for (uint32_t c : colors) {
            set.Insert(c);
        }
    }
    std::unique_ptr<ColorsDialog> Open(bool cursorReadable = true,
                                       const std::string& summary = "summary of the source") {
        list = std::make_unique<ColorList>(set, summary);
        return std::make_unique<ColorsDialog>(
            *list,
            ColorsServices{store, screen, cursorReadable ? &cursor : nullptr, beeper, shell, clock,
                           folders},
            &hotKeys);
    }
    // The pixel under the cursor shows `colour`; the rest of the screen is black.
    void UnderCursor(uint32_t color) {
        PixelImage pixel(1, 1);
        pixel.SetPacked(0, 0, color);
        screen.SetScreen(pixel, kCursor);
    }
    static QString Cell(const ColorsDialog& dialog, int row, int column) {
        return dialog.Model().index(row, column).data().toString();
    }
    static QString Title(int count) {
        return QString("%1 Unique Pixel Color(s) - Quorvane by Tolbrin").arg(count);
    }
    // Every row shows its number from 1 and the channels of the set's colour at that place.
    static void ExpectRowsFollowSet(const ColorsDialog& dialog, const ColorSet& set) {
        const auto ordered = set.Ordered();
        ASSERT_EQ(dialog.Model().rowCount(), int(ordered.size()));
        for (int row = 0; row < int(ordered.size()); ++row) {
            const uint32_t c = ordered[std::size_t(row)];
            const int r = int(c & 0xFF), g = int((c >> 8) & 0xFF), b = int(c >> 16);
            EXPECT_EQ(Cell(dialog, row, 0), QString::number(row + 1));
            EXPECT_EQ(Cell(dialog, row, 1), QString());
            EXPECT_EQ(Cell(dialog, row, 2), QString::number(r));
            EXPECT_EQ(Cell(dialog, row, 3), QString::number(g));
            EXPECT_EQ(Cell(dialog, row, 4), QString::number(b));
            EXPECT_EQ(dialog.Model().index(row, 1).data(Qt::BackgroundRole).value<QColor>(),
                      QColor(r, g, b));
        }
    }

    ActionLog log;
    MemoryProfileStore store;
    FakeScreenSource screen{&log};
    RecordingInputInjector cursor;
    RecordingBeeper beeper{log};
    RecordingShell shell{log};
    FakeClock clock;
    ActionLog keyLog;
    FakeGlobalHotKeys hotKeys{keyLog};
    XdgUserFolders folders;
    ColorSet set;
    std::unique_ptr<ColorList> list;
};

TEST_F(ColorsDialogTest, HotKeyAddsColorUnderCursorRenumberingRowsAndBeepsOnListedOnes) {
    Fill({kBlack, kWhite, kRed, kBlue, kGrey});
    // A new colour of bucket 0 goes to the top; one of another bucket goes below.
    uint32_t bucketZero = 1;
    while (ColorBucket(bucketZero) != 0 || set.Contains(bucketZero)) {
        ++bucketZero;
    }
    auto dialog = Open();
    dialog->show();
    const QStringList titles{"Sr No", "Color", "Red", "Green", "Blue"};
    for (int c = 0; c < 5; ++c) {
        EXPECT_EQ(dialog->Model().headerData(c, Qt::Horizontal).toString(), titles[c]);
    }

    for (uint32_t added : {bucketZero, kGreen + 1}) {
        UnderCursor(added);
        const int before = dialog->Model().rowCount();
        hotKeys.Press(ColorsDialog::kHotKeyId);
        ASSERT_TRUE(WaitFor([&] { return dialog->Model().rowCount() == before + 1; }));
        ExpectRowsFollowSet(*dialog, set);
        EXPECT_EQ(dialog->windowTitle(), Title(before + 1));
        EXPECT_EQ(Summary(*dialog)->text(), "summary of the source");
    }
    EXPECT_EQ(dialog->Model().index(0, 0).data(ColorListModel::kPackedColorRole).toUInt(),
              bucketZero);
    // A colour already listed only beeps.
    UnderCursor(kWhite);
    dialog->AddColorAtCursor();
    EXPECT_EQ(log.Entries(), (std::vector<std::string>{"capture -300,45 1x1", "capture -300,45 1x1",
                                                       "capture -300,45 1x1", "beep 0x40"}));
    EXPECT_EQ(dialog->Model().rowCount(), 7);
    EXPECT_EQ(dialog->windowTitle(), Title(7));
}

TEST_F(ColorsDialogTest, UnreadableCursorIsReportedAndChangesNothing) {
    Fill({kBlack});
    auto dialog = Open(false);
    dialog->show();
    const auto seen = AnswerNextMessage();
    dialog->AddColorAtCursor();
    EXPECT_EQ(seen->text, "Could Not Get Current Cursor Position.");
    EXPECT_EQ(seen->icon, QMessageBox::Critical);
    EXPECT_TRUE(log.Entries().empty());
    EXPECT_EQ(dialog->Model().rowCount(), 1);
}

TEST_F(ColorsDialogTest, HotKeyIsFirstFreeFunctionKeyAndEndsWithTheDialog) {
    struct Case {
        std::set<uint32_t> taken;
        uint32_t expected;
    };
    const std::vector<Case> cases{
        {{}, 0x75},
        {{0x75, 0x76, 0x77}, 0x78},
        {{0x75, 0x76, 0x77, 0x78, 0x79, 0x7A}, 0x7B},
        {{0x75, 0x76, 0x77, 0x78, 0x79, 0x7A, 0x7B}, 0},
    };
    Fill({kBlack});
    const std::string id = std::to_string(ColorsDialog::kHotKeyId);
    for (const Case& c : cases) {
        keyLog.Clear();
        hotKeys.refused = c.taken;
        auto dialog = Open();
        EXPECT_EQ(dialog->HotKey(), c.expected);
        EXPECT_EQ(hotKeys.IsRegistered(ColorsDialog::kHotKeyId), c.expected != 0);
        // Plain function keys only, none beyond F12.
        EXPECT_EQ(keyLog.Entries().back(),
                  "hotkey-register " + id + " 0 " + std::to_string(c.expected ? c.expected : 0x7B));
        dialog->reject();
        EXPECT_FALSE(hotKeys.IsRegistered(ColorsDialog::kHotKeyId));
        EXPECT_FALSE(hotKeys.HasHandler(ColorsDialog::kHotKeyId));
    }
}

TEST_F(ColorsDialogTest, ColumnWidthsScaleFromDefaultsAndPersistUnderSettings) {
    Fill({kBlack});
    auto dialog = Open();
    QHeaderView* header = List(*dialog)->horizontalHeader();
    const int listWidth = List(*dialog)->width();
    for (int c = 0; c < 5; ++c) {
        EXPECT_EQ(header->sectionSize(c), kColorColumns[std::size_t(c)].baseWidth * listWidth / 575)
            << c;
    }
    header->resizeSection(1, 211);
    dialog->accept();
    for (int c = 0; c < 5; ++c) {
        EXPECT_EQ(store.GetInt("Settings", "ColumnPD" + std::to_string(c), -1),
                  header->sectionSize(c))
            << c;
    }
    EXPECT_EQ(store.GetInt("Settings", "ColumnPD1", -1), 211);

    // Stored widths are used unchanged next time.
    store.WriteInt("Settings", "ColumnPD4", 33);
    auto again = Open();
    EXPECT_EQ(List(*again)->horizontalHeader()->sectionSize(1), 211);
    EXPECT_EQ(List(*again)->horizontalHeader()->sectionSize(4), 33);
}

TEST_F(ColorsDialogTest, ResizingGrowsTheListKeepsTheMinimumSizeAndF1OpensHelp) {
    Fill({kBlack});
    auto dialog = Open();
    dialog->show();
    const QSize initial = dialog->size();
    EXPECT_EQ(dialog->minimumSize(), initial);
    const QRect list = List(*dialog)->geometry();
    const QRect button = ExportButton(*dialog)->geometry();
    const QRect summary = Summary(*dialog)->geometry();
    dialog->resize(initial + QSize(120, 80));
    ASSERT_TRUE(WaitFor([&] { return dialog->size() != initial; }));
    EXPECT_EQ(List(*dialog)->geometry(), list.adjusted(0, 0, 120, 80));
    EXPECT_EQ(ExportButton(*dialog)->geometry(), button.translated(120, 80));
    EXPECT_EQ(Summary(*dialog)->geometry(), summary.translated(0, 80).adjusted(0, 0, 120, 0));
    EXPECT_EQ(Summary(*dialog)->alignment(), Qt::AlignCenter);

    // F1 opens the help page shipped beside the program.
    QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QApplication::sendEvent(dialog.get(), &f1);
    const auto opened = log.WithPrefix("open ");
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(QString::fromStdString(opened[0]),
              HelpPage::Find(QCoreApplication::applicationDirPath()));
    EXPECT_TRUE(QFileInfo(QString::fromStdString(opened[0])).isFile()) << opened[0];
}

TEST_F(ColorsDialogTest, MillionColorsAreServedByTheModel) {
    std::vector<uint8_t> pixels;
    constexpr uint32_t kCount = 1'000'000;
    pixels.reserve(std::size_t(kCount) * 4);
    for (uint32_t i = 0; i < kCount; ++i) {
        const uint32_t c = i * 13u % 0x1000000u;
        pixels.insert(pixels.end(), {uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c), 0});
    }
    set.InsertPixels(pixels.data(), kCount);
    auto dialog = Open();
    dialog->show();
    ASSERT_EQ(dialog->Model().rowCount(), int(kCount));
    List(*dialog)->scrollToBottom();
    QApplication::processEvents();
    const auto ordered = set.Ordered();
    for (int row : {0, 1, 499'999, int(kCount) - 1}) {
        EXPECT_EQ(Cell(*dialog, row, 0), QString::number(row + 1));
        EXPECT_EQ(dialog->Model().index(row, 3).data(ColorListModel::kPackedColorRole).toUInt(),
                  ordered[std::size_t(row)]);
    }
    EXPECT_TRUE(List(*dialog)->indexAt(QPoint(2, 2)).isValid());
    EXPECT_GT(List(*dialog)->indexAt(QPoint(2, 2)).row(), int(kCount) - 100);
}

// The desktop folder is redirected to a folder of the test's own.
class ColorsExportTest : public ColorsDialogTest {
  protected:
    void SetUp() override {
        ASSERT_TRUE(m_home.isValid());
        ASSERT_TRUE(QDir().mkpath(m_home.filePath("config")));
        SetDesktop("\"" + m_home.filePath("desk").toUtf8() + "\"");
        ASSERT_TRUE(QDir().mkpath(m_home.filePath("desk")));
    }

    // `value` as written in user-dirs.dirs, or no desktop entry when empty.
    void SetDesktop(const QByteArray& value) {
        ASSERT_TRUE(WriteFile(m_home.filePath("config/user-dirs.dirs"),
                              "# written by the test\n" +
                                  (value.isEmpty() ? value : "XDG_DESKTOP_DIR=" + value + "\n")));
    }

    QString AppFolder() const { return m_home.filePath("desk/Quorvane by Tolbrin"); }

    // Exports through the save dialog, accepting the proposed file; returns it.
    // The dialog always starts in an existing folder and proposes a file in it.
    QString Export(ColorsDialog& dialog) {
        QString proposed;
        OnNextModal(
            [&](QWidget* modal) {
                auto* files = qobject_cast<QFileDialog*>(modal);
                ASSERT_NE(files, nullptr);
                proposed = files->selectedFiles().value(0);
                EXPECT_TRUE(files->directory().exists()) << files->directory().path().toStdString();
                EXPECT_EQ(QFileInfo(proposed).absolutePath(), files->directory().absolutePath());
                EXPECT_EQ(files->acceptMode(), QFileDialog::AcceptSave);
                EXPECT_EQ(files->nameFilters(), QStringList{"HTML Files (*.html)"});
                QMetaObject::invokeMethod(files, "accept");
            },
            &dialog);
        dialog.ExportColorsToHtml();
        return proposed;
    }

    QTemporaryDir m_home;
    const test::ScopedEnv m_config{"XDG_CONFIG_HOME",
                                   m_home.filePath("config").toUtf8().constData()};
    const test::ScopedEnv m_homeVariable{"HOME", m_home.path().toUtf8().constData()};
};

TEST_F(ColorsExportTest, WritesTheListAsHtmlInTheDesktopAppFolderAndRevealsIt) {
    Fill({kBlack, kWhite, kRed});
    auto dialog =
        Open(true, "3 Unique Colors from Screen Area Top 20, Left 10, Width 100, Height 50");
    dialog->show();
    const QString first = Export(*dialog);
    const QString plain =
        AppFolder() + "/3 Unique Colors from Screen Area Top 20, Left 10, Width 100, Height 50";
    EXPECT_EQ(first, plain + ".html");
    ASSERT_EQ(log.WithPrefix("reveal "), std::vector<std::string>{first.toStdString()});

    // The page is the list's, newest first in bucket 0 (red before black); the
    // core's tests check it byte for byte.
    QFile page(first);
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    EXPECT_TRUE(page.readAll().contains(
        "<tr>\r\n<td>1</td>\r\n<td style=\"background-color:#ff0000\"></td>"));

    // The plain name is taken now, so the next proposal carries the tick count.
    EXPECT_EQ(Export(*dialog), plain + "-" + QString::number(clock.TickMs()) + ".html");
    EXPECT_EQ(log.WithPrefix("reveal ").size(), 2u);
}

// A desktop folder that does not exist yet is made with its parents, by the
// configured name, $HOME/Desktop without one; one that cannot be made gives
// way to the home folder, which then holds the export folder.
TEST_F(ColorsExportTest, MissingDesktopFoldersAreMadeOrReplacedByHome) {
    Fill({kBlack});
    const QString name = "/1 Unique Colors from File a.png of Width 1, Height 1.html";
    ASSERT_TRUE(WriteFile(m_home.filePath("blocker")));
    const struct {
        QByteArray entry;
        QString folder;  // where the page goes
    } cases[] = {
        {"\"$HOME/new desk/deeper\"", m_home.filePath("new desk/deeper/Quorvane by Tolbrin")},
        {"", m_home.filePath("Desktop/Quorvane by Tolbrin")},
        {"\"$HOME/blocker/desk\"", m_home.filePath("Quorvane by Tolbrin")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.entry.toStdString());
        SetDesktop(c.entry);
        auto dialog = Open(true, "1 Unique Colors from File a.png of Width 1, Height 1");
        dialog->show();
        const QString page = Export(*dialog);
        EXPECT_EQ(page, c.folder + name);
        EXPECT_TRUE(QFileInfo(page).isFile());
        QFile::remove(page);
    }
}

TEST_F(ColorsExportTest, FailedWriteIsReportedAndNothingRevealed) {
    Fill({kBlack});
    // A character beyond ISO 8859-1 in the title cannot be written.
    auto dialog = Open(true, "1 Unique Colors from File \xe2\x82\xac.png of Width 1, Height 1");
    dialog->show();
    std::shared_ptr<SeenMessage> failed;
    OnNextModal(
        [&](QWidget* modal) {
            ASSERT_NE(qobject_cast<QFileDialog*>(modal), nullptr);
            failed = AnswerNextMessage(QMessageBox::Ok, modal);
            QMetaObject::invokeMethod(modal, "accept");
        },
        dialog.get());
    dialog->ExportColorsToHtml();
    ASSERT_NE(failed, nullptr);
    EXPECT_FALSE(failed->text.isEmpty());
    EXPECT_EQ(failed->icon, QMessageBox::Critical);
    EXPECT_TRUE(log.WithPrefix("reveal ").empty());
}

}  // namespace
}  // namespace qrv
