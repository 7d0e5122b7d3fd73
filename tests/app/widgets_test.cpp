#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <utility>

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTest>

#include "app/automation/suppressible_tip.h"
#include "app/help_page.h"
#include "app/main_window/control_ids.h"
#include "app/preview/live_preview.h"
#include "app/preview/preview_placement.h"
#include "app/widgets/dialog_file_prompts.h"
#include "app/widgets/field_exchange.h"
#include "app/widgets/hot_key_edit.h"
#include "app/widgets/message_boxes.h"
#include "app_fixture.h"
#include "click_target.h"
#include "core/search/hot_key_modifiers.h"
#include "core/settings/memory_profile_store.h"

namespace qrv {
namespace {

TEST(FieldExchangeTest, NumbersParseLikeTheTransferReadsThem) {
    struct Case {
        const char* text;
        std::optional<int32_t> asInt;  // empty: rejected
        std::optional<uint32_t> asUInt;
    };
    const Case cases[] = {
        {"0", 0, 0},
        {"  42 ", 42, 42},
        {"-1180", -1180, {}},
        {"+7", 7, 7},
        {"007", 7, 7},
        {"2147483647", 2147483647, 2147483647u},
        {"2147483648", {}, 2147483648u},
        {"-2147483648", INT32_MIN, {}},
        {"4294967296", {}, {}},
        {"", {}, {}},
        {"-", {}, {}},
        {"1 2", {}, {}},
        {"12x", {}, {}},
        {"0x10", {}, {}},
    };
    for (const Case& c : cases) {
        int32_t i = 0;
        uint32_t u = 0;
        const QString text = QString::fromLatin1(c.text);
        EXPECT_EQ(FieldExchange::ParseInt(text, i) ? std::optional(i) : std::nullopt, c.asInt)
            << c.text;
        EXPECT_EQ(FieldExchange::ParseUInt(text, u) ? std::optional(u) : std::nullopt, c.asUInt)
            << c.text;
    }
}

// Typed combinations come out as virtual keys with the control's modifier
// flags, and showing a stored value gives back the same combination.
TEST(HotKeyEditTest, TypedCombinationsMapToVirtualKeysAndBack) {
    struct Case {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        HotKeyValue value;
    };
    using namespace hot_key_control;
    const Case cases[] = {
        {Qt::Key_F9, Qt::ControlModifier | Qt::ShiftModifier, {0x78, kControl | kShift}},
        {Qt::Key_A, Qt::AltModifier, {'A', kAlt}},
        {Qt::Key_5, Qt::MetaModifier, {'5', kExtended}},
        {Qt::Key_Home, Qt::NoModifier, {0x24, 0}},
        {Qt::Key_F12, Qt::ShiftModifier | Qt::AltModifier, {0x7B, kShift | kAlt}},
    };
    HotKeyEdit edit;
    for (const Case& c : cases) {
        QTest::keyClick(&edit, c.key, c.modifiers);
        EXPECT_EQ(edit.Value(), c.value) << c.key;
        const QString shown = edit.text();
        edit.Clear();
        EXPECT_EQ(edit.Value(), HotKeyValue{});
        edit.SetValue(c.value);
        EXPECT_EQ(edit.text(), shown) << c.key;
    }
    QTest::keyClick(&edit, Qt::Key_Backspace);
    EXPECT_TRUE(edit.IsEmpty());
    EXPECT_EQ(edit.text(), QStringLiteral("None"));
    QTest::keyPress(&edit, Qt::Key_Control, Qt::ControlModifier);
    EXPECT_TRUE(edit.IsEmpty());  // a modifier alone is no combination
}

// The choosers must not block the live preview, which has no owner.
TEST(DialogFilePromptsTest, ChoosersAreModalToTheirOwnerOnly) {
    QTemporaryDir dir;
    QWidget owner;
    owner.show();
    DialogFilePrompts prompts;
    Qt::WindowModality modality = Qt::NonModal;
    QStringList filters;
    QString folder;
    OnNextModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        modality = dialog->windowModality();
        filters = dialog->nameFilters();
        folder = dialog->directory().absolutePath();
        dialog->close();
    });
    EXPECT_EQ(prompts.OpenFile(&owner, dir.path(), QStringLiteral("Image Files (*.png *.bmp)")),
              QString());
    EXPECT_EQ(modality, Qt::WindowModal);
    EXPECT_EQ(filters, QStringList{QStringLiteral("Image Files (*.png *.bmp)")});
    EXPECT_EQ(folder, QDir(dir.path()).absolutePath());

    modality = Qt::NonModal;
    OnNextModal([&](QWidget* modal) {
        modality = modal->windowModality();
        modal->close();
    });
    EXPECT_EQ(prompts.Folder(&owner, QStringLiteral("Pick")), QString());
    EXPECT_EQ(modality, Qt::WindowModal);
}

// Names, values and titles of other programs may hold markup: every surface
// that can show them shows it as typed.
TEST(ForeignTextTest, MarkupShowsLiterally) {
    const QString markup = QStringLiteral("<a href='x'>link</a><b>bold</b>");
    QWidget owner;
    owner.show();
    MemoryProfileStore store;
    const std::pair<const char*, std::function<void()>> shows[] = {
        {"message", [&] { MessageBoxes::Show(&owner, markup, MessageIcon::Error); }},
        {"question", [&] { MessageBoxes::AskYesNoCancel(&owner, markup, MessageIcon::Error); }},
        {"tip", [&] { SuppressibleTip(store, "Tip").Show(&owner, QStringLiteral("T"), markup); }},
    };
    for (const auto& [name, show] : shows) {
        std::optional<Qt::TextFormat> format;
        OnNextModal([&](QWidget* modal) {
            for (const QLabel* label : modal->findChildren<QLabel*>()) {
                if (label->text() == markup) {
                    format = label->textFormat();
                }
            }
            modal->close();
        });
        show();
        ASSERT_TRUE(format.has_value()) << name;
        EXPECT_EQ(*format, Qt::PlainText) << name;
    }
}

// The manual is found beside the program in a build tree and under
// share/quorvane in an installed tree; anywhere else it is missing.
TEST(HelpPageTest, FoundInTheBuildAndTheInstalledLayout) {
    QTemporaryDir root;
    const QDir dir(root.path());
    const auto put = [&](const QString& file) {
        return dir.mkpath(QFileInfo(dir.filePath(file)).path()) &&
               WriteFile(dir.filePath(file), "<html></html>");
    };
    ASSERT_TRUE(put(QStringLiteral("build/help.html")));
    ASSERT_TRUE(put(QStringLiteral("prefix/share/quorvane/help.html")));
    ASSERT_TRUE(dir.mkpath(QStringLiteral("prefix/bin")));
    ASSERT_TRUE(dir.mkpath(QStringLiteral("elsewhere/bin")));
    ASSERT_TRUE(dir.mkpath(QStringLiteral("build/help.html.d")));
    const std::pair<const char*, const char*> cases[] = {
        {"build", "build/help.html"},
        {"prefix/bin", "prefix/share/quorvane/help.html"},
        {"elsewhere/bin", nullptr},
        {"build/help.html.d", nullptr},
    };
    for (const auto& [folder, expected] : cases) {
        const QString found = HelpPage::Find(dir.filePath(QLatin1String(folder)));
        EXPECT_EQ(found, expected
                             ? QFileInfo(dir.filePath(QLatin1String(expected))).canonicalFilePath()
                             : QString())
            << folder;
    }
    // The shipped page sits beside the program.
    EXPECT_FALSE(HelpPage::Find(QFileInfo(QStringLiteral(QRV_APP_PATH)).path()).isEmpty());
}

TEST(PreviewPlacementTest, BesideTheMainWindowOnScreenAndClearOfTheArea) {
    const QList<QRect> screens = {QRect(-1280, 0, 1280, 1024), QRect(0, 0, 1920, 1080)};
    const QSize frame(250, 200);
    struct Case {
        const char* name;
        QRect main, area;
        QPoint expected;
    } cases[] = {
        {"right", {100, 100, 600, 500}, {1500, 800, 50, 50}, {708, 100}},
        {"area on the right, left spans two screens: below",
         {100, 100, 600, 500},
         {700, 50, 400, 400},
         {100, 608}},
        {"main at the right edge: left", {1500, 100, 420, 500}, {0, 0, 10, 10}, {1242, 100}},
        {"left monitor: right stays on it", {-1200, 100, 600, 500}, {0, 0, 10, 10}, {-592, 100}},
        {"area everywhere: first side on screen",
         {100, 100, 600, 500},
         {0, 0, 1920, 1080},
         {708, 100}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PreviewPlacement::Place(c.main, frame, c.area, screens), c.expected) << c.name;
    }
    // Larger than any screen: the main window's screen's corner.
    EXPECT_EQ(PreviewPlacement::Place({-1200, 100, 600, 500}, {3000, 2000}, {}, screens),
              QPoint(-1280, 0));
}

using LivePreviewTest = AppFixture;

// The preview opens 50 pixels larger than the area, where it does not cover
// it, and on screen; only one is open, and it moves when dragged anywhere.
TEST_F(LivePreviewTest, OpensClearOfTheAreaOnlyOnceAndMovesWhenDragged) {
    QuorvaneDialog& dialog = OpenMainWindow();
    dialog.move(200, 100);
    ASSERT_TRUE(WaitFor([&] { return dialog.frameGeometry().topLeft() == QPoint(200, 100); }));
    // Right of the window, where a preview would open by default.
    const QRect area(dialog.frameGeometry().right() + 20, dialog.frameGeometry().top(), 200, 150);
    const Point topLeft = ToScreen(area.topLeft());
    const Point bottomRight = ToScreen(area.bottomRight() + QPoint(1, 1));
    SetEdit(ctl::kAreaLeft, QString::number(topLeft.x));
    SetEdit(ctl::kAreaTop, QString::number(topLeft.y));
    SetEdit(ctl::kAreaWidth, QString::number(bottomRight.x - topLeft.x));
    SetEdit(ctl::kAreaHeight, QString::number(bottomRight.y - topLeft.y));
    Click(ctl::kAreaPreview);
    QPointer<LivePreview> first = dialog.CurrentLivePreview();
    ASSERT_TRUE(first);
    Click(ctl::kAreaPreview);
    EXPECT_TRUE(WaitFor([&] { return first.isNull(); }));
    LivePreview* preview = dialog.CurrentLivePreview();
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(preview->size(), area.size() + QSize(50, 50));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(preview));
    const QRect placed = preview->frameGeometry();
    EXPECT_FALSE(placed.intersects(area)) << placed.x() << "," << placed.y();
    EXPECT_FALSE(placed.intersects(dialog.frameGeometry()));
    const QScreen* screen = QGuiApplication::screenAt(placed.center());
    ASSERT_NE(screen, nullptr);
    EXPECT_TRUE(screen->availableGeometry().contains(placed));

    QTest::mousePress(preview, Qt::LeftButton, {}, QPoint(60, 60));
    QTest::mouseMove(preview, QPoint(110, 90));
    QTest::mouseRelease(preview, Qt::LeftButton, {}, QPoint(110, 90));
    EXPECT_TRUE(WaitFor([&] {
        return preview->frameGeometry().topLeft() == placed.topLeft() + QPoint(50, 30);
    })) << preview->frameGeometry().x()
        << "," << preview->frameGeometry().y();
    preview->close();
}

}  // namespace
}  // namespace qrv
