#include <gtest/gtest.h>

#include <optional>

#include <QDir>
#include <QFileDialog>
#include <QTest>

#include "app_fixture.h"
#include "main_window/control_ids.h"
#include "preview/live_preview.h"
#include "search/hot_key_modifiers.h"
#include "widgets/dialog_file_prompts.h"
#include "widgets/field_exchange.h"
#include "widgets/hot_key_edit.h"

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

using LivePreviewTest = AppFixture;

TEST_F(LivePreviewTest, OnlyOneIsOpenAndItMovesWhenDraggedAnywhere) {
    QuorvaneDialog& dialog = OpenMainWindow();
    SetEdit(ctl::kAreaLeft, QStringLiteral("-200"));
    SetEdit(ctl::kAreaTop, QStringLiteral("100"));
    SetEdit(ctl::kAreaWidth, QStringLiteral("120"));
    SetEdit(ctl::kAreaHeight, QStringLiteral("80"));
    Click(ctl::kAreaPreview);
    QPointer<LivePreview> first = dialog.CurrentLivePreview();
    ASSERT_TRUE(first);
    Click(ctl::kAreaPreview);
    EXPECT_TRUE(WaitFor([&] { return first.isNull(); }));
    LivePreview* preview = dialog.CurrentLivePreview();
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(preview->size(), QSize(170, 130));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(preview));

    const QPoint before = preview->frameGeometry().topLeft();
    QTest::mousePress(preview, Qt::LeftButton, {}, QPoint(60, 60));
    QTest::mouseMove(preview, QPoint(110, 90));
    QTest::mouseRelease(preview, Qt::LeftButton, {}, QPoint(110, 90));
    EXPECT_TRUE(WaitFor([&] {
        return preview->frameGeometry().topLeft() == before + QPoint(50, 30);
    })) << preview->frameGeometry().x()
        << "," << preview->frameGeometry().y();
}

}  // namespace
}  // namespace qrv
