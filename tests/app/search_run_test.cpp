#include <QCheckBox>
#include <QDialog>
#include <QImage>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <chrono>
#include <future>

#include "app/colors/colors_openers.h"
#include "app/main_window/control_ids.h"
#include "app/main_window/main_dialog_controls.h"
#include "app/main_window/quorvane_dialog.h"
#include "app/preview/live_preview.h"
#include "app/services/app_services.h"
#include "app/widgets/hot_key_edit.h"
#include "app_fixture.h"
#include "click_target.h"
#include "core/desktop/input_injector.h"
#include "core/search/search_controller.h"
#include "core/settings/profile.h"
#include "fakes/fake_global_hot_keys.h"
#include "platform/freedesktop/dbus_toggle_requests.h"

namespace qrv {
namespace {

// A main window set up to search the area around a window that shows the
// picture to find.
class SearchRunTest : public AppFixture {
  protected:
    void SetUp() override {
        AppFixture::SetUp();
        m_target = std::make_unique<ClickTarget>(QPoint(120, 560), QSize(260, 180), QSize(40, 30));
        m_target->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_target.get()));
        QuorvaneDialog& dialog = OpenMainWindow();
        dialog.move(0, 0);  // on the left monitor, clear of the target at any scale
        QObject::connect(&dialog, &QuorvaneDialog::StatusTextChanged,
                         [this](const QString& text) { m_statuses.append(text); });
        const Rect area = m_target->ClientOnScreen();
        SetEdit(ctl::kAreaLeft, QString::number(area.left));
        SetEdit(ctl::kAreaTop, QString::number(area.top));
        SetEdit(ctl::kAreaWidth, QString::number(area.Width()));
        SetEdit(ctl::kAreaHeight, QString::number(area.Height()));
        const QString picture = m_dir.filePath(QStringLiteral("picture.png"));
        ASSERT_TRUE(m_target->SavePicture(picture));
        m_prompts.QueueAnswer(picture);
        Click(ctl::kSelectPictureFile);
        ASSERT_EQ(dialog.Controls().Edit(ctl::kPicturePath)->text(), picture);
    }

    void TearDown() override {
        m_dialog.reset();
        m_target.reset();
        AppFixture::TearDown();
    }

    void SetRun(int count, int intervalMs) {
        SetEdit(ctl::kCount, QString::number(count));
        SetEdit(ctl::kInterval, QString::number(intervalMs));
    }

    QString FindText() const { return m_dialog->Controls().Button(ctl::kFind)->text(); }
    bool RunActive() { return m_dialog->Controller().IsSearching(); }

    std::unique_ptr<ClickTarget> m_target;
    QStringList m_statuses;
};

TEST_F(SearchRunTest, FindClicksThePictureCentreAndReportsInOrder) {
    SetRun(1, 0);
    Click(ctl::kAreaPreview);
    LivePreview* preview = m_dialog->CurrentLivePreview();
    ASSERT_NE(preview, nullptr);
    int refreshes = 0;
    QObject::connect(preview, &LivePreview::Refreshed, [&] { ++refreshes; });
    ASSERT_TRUE(WaitFor([&] { return refreshes == 1; }));
    Click(ctl::kFind);
    EXPECT_EQ(refreshes, 2);  // every run starts by repainting the live preview
    EXPECT_EQ(FindText(), QStringLiteral("Stop"));
    EXPECT_TRUE(m_dialog->SearchingIconShown());
    ASSERT_TRUE(WaitFor([&] { return FindText() == QStringLiteral("Find"); }));
    EXPECT_FALSE(m_dialog->SearchingIconShown());

    ASSERT_EQ(m_statuses.size(), 3) << m_statuses.join(QStringLiteral(" | ")).toStdString();
    EXPECT_EQ(m_statuses[0], QStringLiteral("1 Searching..."));
    EXPECT_TRUE(m_statuses[1].startsWith(QStringLiteral("Match Found in ")))
        << m_statuses[1].toStdString();
    EXPECT_EQ(m_statuses[2], QStringLiteral("1 Found, Finished"));

    ASSERT_TRUE(WaitFor([&] { return !m_target->clicks.isEmpty(); }));
    const Point corner = m_target->PictureOnScreen();
    const QSize size = m_target->Picture().size();
    EXPECT_NEAR(m_target->clicks[0].x, corner.x + size.width() / 2, 1);
    EXPECT_NEAR(m_target->clicks[0].y, corner.y + size.height() / 2, 1);
    EXPECT_EQ(m_speech.Count("speak-async Picture Found in Screen Search Area"), 1);
}

// A picture one channel off in one pixel: the explanation names that need and,
// accepted, sets the deviation that finds the picture on the next run.
TEST_F(SearchRunTest, WhyNotFoundOffersTheDeviationANearMissNeeds) {
    std::shared_ptr<SeenMessage> none = AnswerNextMessage();
    m_dialog->OnWhyNotFound();
    EXPECT_EQ(none->text, QStringLiteral("Please run a search and then try again."));

    QImage near = m_target->Picture().convertToFormat(QImage::Format_ARGB32);
    QColor color = near.pixelColor(3, 2);
    color.setRed(color.red() > 127 ? color.red() - 7 : color.red() + 7);
    near.setPixelColor(3, 2, color);
    const QString path = m_dir.filePath(QStringLiteral("near.png"));
    ASSERT_TRUE(near.save(path, "PNG"));
    m_prompts.QueueAnswer(path);
    Click(ctl::kSelectPictureFile);
    m_dialog->Controls().Check(ctl::kClickOnPicture)->setChecked(false);
    m_dialog->Controls().Check(ctl::kMoveMouse)->setChecked(false);
    SetRun(1, 0);
    const auto runOnce = [&] {
        m_statuses.clear();
        Click(ctl::kFind);
        return WaitFor([&] { return !RunActive() && FindText() == QStringLiteral("Find"); }) &&
                       !m_statuses.isEmpty()
                   ? m_statuses.constLast()
                   : QString();
    };
    EXPECT_EQ(runOnce(), QStringLiteral("1 Finished"));

    std::shared_ptr<SeenMessage> offer = AnswerNextMessage(QMessageBox::Yes);
    m_dialog->OnWhyNotFound();
    const Point corner = m_target->PictureOnScreen();
    const QString want = QStringLiteral(
                             "Closest match at %1,%2 needs deviation 7,0,0\n1 of %3 pixels differ "
                             "by more than the given deviation\n\n")
                             .arg(corner.x)
                             .arg(corner.y)
                             .arg(near.width() * near.height());
    EXPECT_TRUE(offer->text.startsWith(want)) << offer->text.toStdString();
    const MainDialogControls& c = m_dialog->Controls();
    EXPECT_EQ(c.Edit(ctl::kDeviationRed)->text(), QStringLiteral("7"));
    EXPECT_EQ(c.Edit(ctl::kDeviationGreen)->text(), QStringLiteral("0"));
    EXPECT_EQ(c.Edit(ctl::kDeviationBlue)->text(), QStringLiteral("0"));
    EXPECT_EQ(runOnce(), QStringLiteral("1 Found, Finished"));
}

TEST_F(SearchRunTest, HotKeyStartsAndStopsARun) {
    m_dialog->Controls().Check(ctl::kClickOnPicture)->setChecked(false);
    m_dialog->Controls().Check(ctl::kMoveMouse)->setChecked(false);
    SetRun(0, 100);
    HotKeyEdit* hotKey = m_dialog->Controls().HotKey();
    hotKey->setFocus();
    QTest::keyClick(hotKey, Qt::Key_F9, Qt::ControlModifier | Qt::ShiftModifier);
    Click(ctl::kAssign);
    EXPECT_EQ(GetProfile().Get(keys::kStartKey), 0x78);   // F9
    EXPECT_EQ(GetProfile().Get(keys::kStartMod), 2 | 4);  // Ctrl, Shift

    auto press = [] {
        return QProcess::execute(QStringLiteral("xdotool"), {"key", "ctrl+shift+F9"});
    };
    auto startAndStop = [&] {
        const qsizetype before = m_statuses.size();
        ASSERT_EQ(press(), 0);
        ASSERT_TRUE(WaitFor([&] { return RunActive() && m_statuses.size() >= before + 3; }));
        EXPECT_EQ(FindText(), QStringLiteral("Stop"));
        ASSERT_EQ(press(), 0);
        ASSERT_TRUE(WaitFor([&] { return FindText() == QStringLiteral("Find"); }));
        EXPECT_TRUE(m_statuses.constLast().endsWith(QStringLiteral(" Found, Aborted")))
            << m_statuses.constLast().toStdString();
    };
    startAndStop();
    // The colours window shares the desktop's hot keys for its own key; closing
    // it leaves the start key working.
    OnNextModal([](QWidget* colors) { qobject_cast<QDialog*>(colors)->reject(); }, m_dialog.get());
    ColorsOpeners(Services())
        .OpenForImageFile(m_dialog.get(),
                          m_dialog->Controls().Edit(ctl::kPicturePath)->text().toStdString());
    startAndStop();

    Click(ctl::kClear);
    EXPECT_EQ(hotKey->text(), QStringLiteral("None"));
    EXPECT_EQ(GetProfile().Get(keys::kStartKey), 0);
}

// Another process starts and stops the run over the session bus, by instance
// number; numbers with no instance reach nobody.
TEST_F(SearchRunTest, ToggleRequestStartsAndStopsARun) {
    m_dialog->Controls().Check(ctl::kClickOnPicture)->setChecked(false);
    m_dialog->Controls().Check(ctl::kMoveMouse)->setChecked(false);
    SetRun(0, 100);
    const int32_t instance = m_dialog->InstanceNumber();
    using Result = ToggleRequests::SendResult;
    auto send = [](int32_t n) {
        // From a thread of its own, as from another process: the window answers on this one.
        auto reply = std::async(std::launch::async, [n] { return DBusToggleRequests().Send(n); });
        WaitFor(
            [&] { return reply.wait_for(std::chrono::seconds(0)) == std::future_status::ready; });
        return reply.get();
    };
    EXPECT_EQ(send(instance + 1), Result::NoInstance);
    EXPECT_FALSE(RunActive());
    ASSERT_EQ(send(instance), Result::Sent);
    ASSERT_TRUE(WaitFor([&] { return RunActive() && m_statuses.size() >= 3; }));
    EXPECT_EQ(FindText(), QStringLiteral("Stop"));
    ASSERT_EQ(send(instance), Result::Sent);
    ASSERT_TRUE(WaitFor([&] { return FindText() == QStringLiteral("Find"); }));
    EXPECT_TRUE(m_statuses.constLast().endsWith(QStringLiteral(" Found, Aborted")))
        << m_statuses.constLast().toStdString();
    // A closed window frees its number.
    m_dialog.reset();
    EXPECT_EQ(send(instance), Result::NoInstance);
}

// The selector waits in an event loop of its own: the hot key must not start
// a search under it, and works again afterwards.
TEST_F(SearchRunTest, HotKeyDuringACaptureStartsNoRun) {
    SetRun(1, 0);
    GetProfile().Write(keys::kStartKey, 0x78);
    m_dialog.reset();  // stores the fields the next window reads
    ActionLog log;
    FakeGlobalHotKeys hotKeys(log);
    AppServices services = Services();
    services.hotKeys = &hotKeys;
    OpenMainWindow(services);
    for (int command : {ctl::kCaptureScreenArea, ctl::kCapturePicture}) {
        bool startedUnderTheSelector = true;
        OnNextModal([&](QWidget* selector) {
            hotKeys.Press(SearchController::kStartHotKeyId);
            startedUnderTheSelector = RunActive() || FindText() != QStringLiteral("Find");
            QTest::mousePress(selector, Qt::LeftButton, {}, QPoint(10, 10));
            QTest::keyClick(selector, Qt::Key_Escape);
        });
        Click(command);
        EXPECT_FALSE(startedUnderTheSelector) << command;
        EXPECT_FALSE(RunActive()) << command;
    }
    hotKeys.Press(SearchController::kStartHotKeyId);
    EXPECT_EQ(FindText(), QStringLiteral("Stop"));
    ASSERT_TRUE(WaitFor([&] { return FindText() == QStringLiteral("Find"); }));
    m_dialog.reset();
}

TEST_F(SearchRunTest, CloseDuringARunWaitsForTheWorkerToEndTheWindow) {
    SetRun(0, 200);
    Click(ctl::kFind);
    ASSERT_TRUE(WaitFor([&] { return RunActive() && !m_statuses.isEmpty(); }));
    m_dialog->close();
    EXPECT_TRUE(m_dialog->isVisible());
    EXPECT_TRUE(m_dialog->Controller().Stop().Requested());
    ASSERT_TRUE(WaitFor([&] { return !m_dialog->isVisible(); }));
    EXPECT_EQ(m_dialog->result(), QDialog::Accepted);
    for (const QString& status : m_statuses) {
        EXPECT_FALSE(status.contains(QStringLiteral("Aborted"))) << status.toStdString();
    }
}

class WindowEndTest : public SearchRunTest, public ::testing::WithParamInterface<Qt::Key> {};

// Enter and Escape end the window without a stop request; the worker must
// still be gone before the window is.
TEST_P(WindowEndTest, StopsTheWorkerBeforeTheWindowGoes) {
    SetRun(0, 200);
    Click(ctl::kFind);
    ASSERT_TRUE(WaitFor([&] { return RunActive(); }));
    QLineEdit* edit = m_dialog->Controls().Edit(ctl::kTextToSpeak);
    edit->setFocus();
    QTest::keyClick(edit, GetParam());
    // The worker has been joined: it reports nothing more, not even its end.
    EXPECT_FALSE(m_dialog->isVisible());
    EXPECT_EQ(m_dialog->result(),
              GetParam() == Qt::Key_Escape ? QDialog::Rejected : QDialog::Accepted);
    QTest::qWait(300);
    for (const QString& status : m_statuses) {
        EXPECT_FALSE(status.contains(QStringLiteral("Aborted")) ||
                     status.contains(QStringLiteral("Finished")))
            << status.toStdString();
    }
}

// A run waiting out an hour's Time Delay after a match ends with the window at
// once: the delay sleeps in slices that end when the run is stopped.
TEST_P(WindowEndTest, EndsTheWindowWhileTheRunWaitsAnHour) {
    SetRun(0, 0);
    SetEdit(ctl::kTimeDelay, QStringLiteral("3600000"));
    m_dialog->Controls().Check(ctl::kClickOnPicture)->setChecked(true);
    m_dialog->Controls().Check(ctl::kCursorBack)->setChecked(true);
    const Point parked{-600, 300};
    Services().input.SetCursorPos(parked);
    Click(ctl::kFind);
    // The delay follows at once on the click and the cursor's return.
    ASSERT_TRUE(WaitFor(
        [&] { return !m_target->clicks.isEmpty() && Services().input.CursorPos() == parked; }));
    QLineEdit* edit = m_dialog->Controls().Edit(ctl::kTextToSpeak);
    edit->setFocus();
    QTest::keyClick(edit, GetParam());
    EXPECT_FALSE(m_dialog->isVisible());
}

INSTANTIATE_TEST_SUITE_P(EnterAndEscape, WindowEndTest,
                         ::testing::Values(Qt::Key_Return, Qt::Key_Escape));

}  // namespace
}  // namespace qrv
