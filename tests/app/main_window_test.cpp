#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include <QApplication>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app/automation/control_browser_dialog.h"
#include "app/main_window/control_ids.h"
#include "app/main_window/main_dialog_controls.h"
#include "app/main_window/main_menu.h"
#include "app/main_window/quorvane_dialog.h"
#include "app/services/app_services.h"
#include "app/widgets/dialog_units.h"
#include "app_fixture.h"
#include "core/desktop/input_injector.h"
#include "core/search/search_controller.h"
#include "core/settings/profile.h"
#include "fakes/recording_shell.h"
#include "platform/freedesktop/dbus_toggle_requests.h"
#include "platform/settings/ini_profile_store.h"

namespace qrv {
namespace {

using MainWindowTest = AppFixture;

// A number whose start/stop name another process holds is not taken over
// silently: the window says so in its status line and on standard error.
TEST_F(MainWindowTest, SaysSoWhenAnotherProcessHoldsItsStartStopName) {
    const int32_t number = OpenMainWindow().InstanceNumber();
    m_dialog.reset();
    const std::string name = DBusToggleRequests::ServiceName(number);
    QProcess impostor;  // another process takes the name first
    impostor.start(QStringLiteral("/usr/bin/python3"),
                   {"-c",
                    "import sys\nfrom gi.repository import Gio, GLib\n"
                    "Gio.bus_own_name(Gio.BusType.SESSION, sys.argv[1], 0, None,\n"
                    "                 lambda *_: print('held', flush=True), None)\n"
                    "GLib.MainLoop().run()",
                    QString::fromStdString(name)});
    ASSERT_TRUE(WaitFor([&] { return impostor.canReadLine(); }) && impostor.readLine() == "held\n")
        << impostor.readAllStandardError().toStdString();
    testing::internal::CaptureStderr();
    QuorvaneDialog& dialog = OpenMainWindow();
    QLabel* status = dialog.Controls().Label(ctl::kStatus);
    const bool said =
        WaitFor([&] { return status->text().contains(QString::fromStdString(name)); });
    const std::string errors = testing::internal::GetCapturedStderr();
    impostor.kill();
    impostor.waitForFinished();
    EXPECT_EQ(dialog.InstanceNumber(), number);
    EXPECT_TRUE(said) << status->text().toStdString();
    EXPECT_NE(errors.find(name), std::string::npos) << errors;
}

TEST_F(MainWindowTest, OpensTitledSizedWithProfileDefaultsAndShowsTheCursor) {
    QuorvaneDialog& dialog = OpenMainWindow();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Quorvane by Tolbrin"));
    EXPECT_EQ(dialog.size(), DialogUnits(dialog.font()).Size(411, 396));
    EXPECT_EQ(dialog.Controls().Label(ctl::kInstanceNumber)->text(),
              QString::number(GetProfile().InstanceNumber()));

    const MainDialogControls& c = dialog.Controls();
    for (int id : {ctl::kAreaLeft, ctl::kAreaTop, ctl::kAreaWidth, ctl::kAreaHeight,
                   ctl::kDeviationRed, ctl::kTimeDelay}) {
        EXPECT_EQ(c.Edit(id)->text(), QStringLiteral("0")) << id;
    }
    EXPECT_EQ(c.Edit(ctl::kCount)->text(), QStringLiteral("1"));
    EXPECT_EQ(c.Edit(ctl::kInterval)->text(), QStringLiteral("1000"));
    EXPECT_EQ(c.Edit(ctl::kVerb)->text(), QStringLiteral("Open"));
    EXPECT_EQ(c.Edit(ctl::kTextToSpeak)->text(),
              QStringLiteral("Picture Found in Screen Search Area"));
    for (int id : {ctl::kCursorBack, ctl::kClickOnPicture, ctl::kSpeakText, ctl::kMoveMouse}) {
        EXPECT_TRUE(c.Check(id)->isChecked()) << id;
    }
    EXPECT_FALSE(c.Check(ctl::kAbortSearch)->isChecked());
    // The path field and the colour buttons take no tab stop.
    for (int id : {ctl::kPicturePath, ctl::kAreaColors, ctl::kPictureColors}) {
        EXPECT_FALSE(c.Widget(id)->focusPolicy() & Qt::TabFocus) << id;
    }
    EXPECT_EQ(c.Button(ctl::kFind)->text(), QStringLiteral("Find"));
    // The cursor text follows the cursor on every monitor.
    QLabel* cursor = c.Label(ctl::kCursorText);
    for (Point p : {Point{-300, 200}, Point{700, 15}}) {
        Services().input.SetCursorPos(p);
        const QString want = QStringLiteral("Cursor at %1, %2").arg(p.x).arg(p.y);
        EXPECT_TRUE(WaitFor([&] { return cursor->text() == want; }))
            << cursor->text().toStdString();
    }
}

TEST_F(MainWindowTest, TransferStopsAtTheFirstUnparsableNumber) {
    struct Case {
        int badId;
        QString badText;
        QString prompt;
    };
    const Case cases[] = {
        {ctl::kAreaTop, QStringLiteral("12x"), QStringLiteral("Please enter an integer for Top.")},
        {ctl::kAreaTop, QStringLiteral("-"), QStringLiteral("Please enter an integer for Top.")},
        {ctl::kCount, QStringLiteral("99999999999"),
         QStringLiteral("Please enter an integer for How Many Times to Find.")},
        {ctl::kTimeDelay, QStringLiteral("99999999999"),
         QStringLiteral("Please enter a positive integer for Time Delay.")},
    };
    QuorvaneDialog& dialog = OpenMainWindow();
    for (const Case& test : cases) {
        dialog.Fields() = MainWindowFields{};
        SetEdit(ctl::kAreaLeft, QStringLiteral("-12"));
        SetEdit(ctl::kAreaTop, QStringLiteral("7"));
        SetEdit(ctl::kDeviationBlue, QStringLiteral("300"));
        SetEdit(test.badId, test.badText);
        auto seen = AnswerNextMessage();
        EXPECT_FALSE(dialog.TransferControlsToFields());
        EXPECT_EQ(seen->text, test.prompt);
        EXPECT_EQ(seen->icon, QMessageBox::Warning);
        EXPECT_EQ(seen->caption, QStringLiteral("Quorvane by Tolbrin"));
        EXPECT_EQ(dialog.focusWidget(), dialog.Controls().Widget(test.badId));
        // Fields bound before the bad control took their values, the rest kept theirs.
        EXPECT_EQ(dialog.Fields().m_iScreenAreaLeft, -12);
        const bool blueBefore = test.badId == ctl::kTimeDelay;
        EXPECT_EQ(dialog.Fields().m_iDeviationBlue, blueBefore ? 300 : 0) << test.badId;
        EXPECT_EQ(dialog.Fields().m_strVerb, "");
        SetEdit(test.badId, QStringLiteral("1"));
    }
    // Emptied, a guarded edit reads 0 and takes digits only.
    for (int id : MainDialogControls::kGuardedEdits) {
        QLineEdit* edit = dialog.Controls().Edit(id);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        EXPECT_EQ(edit->text(), QStringLiteral("0")) << id;
        edit->setCursorPosition(1);
        QTest::keyClicks(edit, QStringLiteral("5x"));
        EXPECT_EQ(edit->text(), QStringLiteral("05")) << id;
    }
    ASSERT_TRUE(dialog.TransferControlsToFields());
    EXPECT_EQ(dialog.Fields().m_count, 5);
    EXPECT_EQ(dialog.Fields().m_iDeviationGreen, 5);
}

TEST_F(MainWindowTest, ScriptBrowsingSetsExecuteOnlyForScriptFiles) {
    struct Case {
        std::string path;
        std::string verb;
    };
    const Case cases[] = {{"/home/u/RUN.ZNTK", "Execute"},
                          {"/home/u/run.Zntk", "Execute"},
                          {"/home/u/run.cmd", "Open"},
                          {"/home/u/zntk", "Open"},
                          {"/home/u/a.zntk.txt", "Open"}};
    for (const Case& test : cases) {
        EXPECT_EQ(QuorvaneDialog::VerbForScript(test.path, "Open"), test.verb) << test.path;
    }
    QuorvaneDialog& dialog = OpenMainWindow();
    m_prompts.QueueAnswer(QStringLiteral("/home/u/RUN.ZNTK"));
    Click(ctl::kBrowse);
    EXPECT_EQ(dialog.Controls().Edit(ctl::kScript)->text(), QStringLiteral("/home/u/RUN.ZNTK"));
    EXPECT_EQ(dialog.Controls().Edit(ctl::kVerb)->text(), QStringLiteral("Execute"));
    EXPECT_TRUE(m_prompts.asked.value(0).contains(
        QStringLiteral("Zentrak by Tolbrin Script Files (*.zntk)")));
}

// Commands ask for what they lack, and refuse an area no screen can show
// before anything is captured: no run, no colour list, no preview.
TEST_F(MainWindowTest, CommandsRefuseAMissingAreaOrPictureAndAnAreaLargerThanTheScreen) {
    using Icon = QMessageBox::Icon;
    const QString noArea = QStringLiteral("Please Capture Screen Area and then try again.");
    const QString tooLarge = QStringLiteral(
        "The Screen Search Area of 100000 x 100000 pixels is larger than the screen");
    struct Case {
        int width, height;
        int button;
        QString text;  // the message starts with it
        Icon icon;
    };
    const Case cases[] = {
        {40, 0, ctl::kAreaColors, noArea, Icon::Information},
        {40, 0, ctl::kAreaPreview, noArea, Icon::Information},
        {40, 0, ctl::kPicturePreview, "Please Capture / Select Picture to Find and then try Again.",
         Icon::Information},
        {40, 0, ctl::kFind, "Please Capture Screen Search Area and then try again.",
         Icon::Information},
        {40, 0, ctl::kLocate,
         "Could not Find the Picture File Specified.\n\nYou can use Capture Pictture or Select "
         "Picture Search Button to Assign Picture to Search on Screen.\n\n",
         Icon::Critical},
        {100000, 100000, ctl::kFind, tooLarge, Icon::Information},
        {100000, 100000, ctl::kAreaColors, tooLarge, Icon::Information},
        {100000, 100000, ctl::kAreaPreview, tooLarge, Icon::Information},
    };
    QuorvaneDialog& dialog = OpenMainWindow();
    for (const Case& test : cases) {
        SetEdit(ctl::kAreaWidth, QString::number(test.width));
        SetEdit(ctl::kAreaHeight, QString::number(test.height));
        auto seen = AnswerNextMessage();
        Click(test.button);
        ASSERT_TRUE(WaitFor([&] { return seen->seen; })) << test.button;
        EXPECT_TRUE(seen->text.startsWith(test.text)) << seen->text.toStdString();
        EXPECT_EQ(seen->icon, test.icon) << test.button;
        EXPECT_FALSE(dialog.Controller().IsSearching()) << test.button;
    }
    EXPECT_EQ(dialog.CurrentLivePreview(), nullptr);
    EXPECT_EQ(dialog.Controls().Button(ctl::kFind)->text(), QStringLiteral("Find"));
}

// Also where the desktop has no accessibility switch.
TEST_F(MainWindowTest, SelectElementOpensTheControlBrowserOverTheWindow) {
    QuorvaneDialog& dialog = OpenMainWindow();
    for (AccessibilitySwitch* accessibility :
         std::vector<AccessibilitySwitch*>{Services().accessibility, nullptr}) {
        Services().accessibility = accessibility;
        bool browsed = false;
        OnNextModal([&](QWidget* modal) {
            // The browser may first ask, modally, to switch accessibility on.
            auto* browser = qobject_cast<ControlBrowserDialog*>(modal);
            if (!browser) {
                browser = qobject_cast<ControlBrowserDialog*>(modal->parentWidget());
                if (auto* prompt = qobject_cast<QDialog*>(modal)) {
                    prompt->reject();
                }
            }
            browsed = browser && browser->parentWidget() == &dialog;
            if (browser) {
                QTimer::singleShot(0, browser, &QWidget::close);
            }
        });
        Click(ctl::kSelectElement);
        EXPECT_TRUE(browsed) << (accessibility ? "with" : "without") << " a switch";
    }
    EXPECT_EQ(dialog.Controls().Edit(ctl::kElementWindow)->text(), QString());
}

TEST_F(MainWindowTest, MenuOffersTheCommandsAndExitCloses) {
    QuorvaneDialog& dialog = OpenMainWindow();
    QStringList texts;
    for (QAction* action : dialog.Menu().actions()) {
        texts.append(action->text());
    }
    EXPECT_EQ(texts, (QStringList{"Unique Color(s) from Image File...", "Why Not Found...", "",
                                  "Settings...", "", "&About Quorvane...", "", "Exit"}));
    Click(ctl::kMenu);
    EXPECT_TRUE(WaitFor([&] { return dialog.Menu().isVisible(); }));
    dialog.Menu().close();
    QContextMenuEvent rightClick(QContextMenuEvent::Mouse, QPoint(300, 300),
                                 dialog.mapToGlobal(QPoint(300, 300)));
    QApplication::sendEvent(&dialog, &rightClick);
    EXPECT_TRUE(WaitFor([&] { return dialog.Menu().isVisible(); }));
    dialog.Menu().close();

    QString aboutTitle, aboutText;
    OnNextModal([&](QWidget* about) {
        aboutTitle = about->windowTitle();
        for (QLabel* label : about->findChildren<QLabel*>()) {
            aboutText += label->text() + QLatin1Char('|');
        }
        about->close();
    });
    dialog.Menu().actions()[5]->trigger();
    EXPECT_EQ(aboutTitle, QStringLiteral("About Quorvane by Tolbrin"));
    EXPECT_TRUE(aboutText.contains(QStringLiteral("|Quorvane, Version 7.6|")));
    dialog.Menu().actions().constLast()->trigger();
    EXPECT_TRUE(WaitFor([&] { return !dialog.isVisible(); }));
}

TEST_F(MainWindowTest, ClosingSavesEveryFieldUnderItsKey) {
    QuorvaneDialog& dialog = OpenMainWindow();
    struct Saved {
        int id;  // the edit typed into, or 0
        const char* key;
        const char* value;
    };
    const Saved saved[] = {{ctl::kAreaLeft, "m_iScreenAreaLeft", "-1180"},
                           {ctl::kAreaTop, "m_iScreenAreaTop", "50"},
                           {ctl::kAreaWidth, "m_iScreenAreaWidth", "200"},
                           {ctl::kAreaHeight, "m_iScreenAreaHeight", "150"},
                           {ctl::kDeviationRed, "m_iDeviationRed", "3"},
                           {ctl::kDeviationGreen, "m_iDeviationGreen", "4"},
                           {ctl::kDeviationBlue, "m_iDeviationBlue", "5"},
                           {ctl::kTimeDelay, "m_dwTimeDelay1", "250"},
                           {ctl::kCount, "Count", "7"},
                           {ctl::kInterval, "Interval", "300"},
                           {ctl::kTextToSpeak, "TextToSpeak", "Found it"},
                           {ctl::kScript, "ScriptToExecute", "/usr/bin/true"},
                           {ctl::kVerb, "Verb", "Execute"},
                           {0, "PictureToFindFilePath", ""},
                           {0, "m_bClickAnotherTime", "1"},
                           {0, "m_bClickElement", "0"},
                           {0, "m_bDoNotUseValueToSearchElement", "1"},
                           {0, "ExecuteScript", "1"},
                           {0, "CursorBack", "0"},
                           {0, "ClickOnPicture", "1"},
                           {0, "SpeakText", "1"},
                           {0, "AbortSearch", "1"},
                           {0, "MakeActiveWindow", "0"},
                           {0, "MoveMouseToCenterOfPicture", "1"}};
    for (const Saved& s : saved) {
        if (s.id != 0) {
            SetEdit(s.id, QString::fromUtf8(s.value));
        }
    }
    for (int id : {ctl::kCursorBack, ctl::kClickAnotherTime, ctl::kExecute, ctl::kAbortSearch,
                   ctl::kDoNotUseValue}) {
        dialog.Controls().Check(id)->click();
    }
    dialog.close();
    ASSERT_FALSE(dialog.isVisible());
    std::unique_ptr<IniProfileStore> store = ReopenStore();
    for (const Saved& s : saved) {
        EXPECT_EQ(store->GetString(InstanceSection(), s.key, "missing"), s.value) << s.key;
    }
}

// The picture shows one to one on the screen, whatever Qt's scale factor; the
// window is 100 screen pixels larger each way.
TEST_F(MainWindowTest, PicturePreviewIsThePictureSizePlus100) {
    OpenMainWindow();
    QImage picture(40, 30, QImage::Format_ARGB32);
    picture.fill(QColor(200, 10, 10));
    picture.setPixel(39, 29, qRgb(10, 10, 200));
    const QString path = m_dir.filePath(QStringLiteral("red.png"));
    ASSERT_TRUE(picture.save(path, "PNG"));
    m_prompts.QueueAnswer(path);
    Click(ctl::kSelectPictureFile);
    const qreal ratio = qApp->devicePixelRatio();
    const QSize wanted(int(std::ceil(140 / ratio)), int(std::ceil(130 / ratio)));
    QSize frame;
    QImage shown;
    OnNextModal([&](QWidget* preview) {
        WaitFor([&] { return preview->frameGeometry().size() == wanted; }, 5000);
        frame = preview->frameGeometry().size();
        shown = preview->grab().toImage();
        preview->close();
    });
    Click(ctl::kPicturePreview);
    EXPECT_EQ(frame, wanted);
    ASSERT_GE(shown.width(), 41);
    ASSERT_GE(shown.height(), 31);
    EXPECT_EQ(shown.pixel(0, 0), qRgb(200, 10, 10));
    EXPECT_EQ(shown.pixel(38, 28), qRgb(200, 10, 10));
    EXPECT_EQ(shown.pixel(39, 29), qRgb(10, 10, 200));
    EXPECT_NE(shown.pixel(40, 30), qRgb(10, 10, 200));
}

// A picture of another depth is refused; Yes on the message shows the file:
// its properties where a file manager offers them, else the file in its folder.
TEST_F(MainWindowTest, SelectPictureFileAdmitsOnly32BitPictures) {
    ActionLog log;
    auto shell = std::make_unique<RecordingShell>(log);
    shell->showsProperties = false;
    UseShell(std::move(shell));
    QuorvaneDialog& dialog = OpenMainWindow();
    QImage picture(8, 6, QImage::Format_ARGB32);
    picture.fill(QColor(10, 20, 30));
    const QString deep = m_dir.filePath(QStringLiteral("deep.png"));
    const QString flat = m_dir.filePath(QStringLiteral("flat.png"));
    const QString junk = m_dir.filePath(QStringLiteral("junk.png"));
    ASSERT_TRUE(picture.save(deep, "PNG"));
    ASSERT_TRUE(picture.convertToFormat(QImage::Format_RGB888).save(flat, "PNG"));
    ASSERT_TRUE(WriteFile(junk, "not a picture"));

    m_prompts.QueueAnswer(flat);
    auto depth = AnswerNextMessage(QMessageBox::No);
    Click(ctl::kSelectPictureFile);
    EXPECT_TRUE(depth->text.startsWith(QStringLiteral("Bit Depth of Selected Image is 24, ")));
    EXPECT_EQ(depth->icon, QMessageBox::Critical);
    EXPECT_TRUE(log.Entries().empty());
    m_prompts.QueueAnswer(flat);
    AnswerNextMessage(QMessageBox::Yes);
    Click(ctl::kSelectPictureFile);
    EXPECT_EQ(log.Entries(), (std::vector<std::string>{"properties " + flat.toStdString(),
                                                       "reveal " + flat.toStdString()}));

    // Each failure says why the file cannot be used.
    const std::pair<QString, QString> failures[] = {
        {junk, QStringLiteral("The file is not an image in a format this program reads.")},
        {m_dir.filePath(QStringLiteral("gone.png")), QStringLiteral("The file does not exist.")},
        {m_dir.path(), QStringLiteral("It is not a regular file.")},
    };
    for (const auto& [path, reason] : failures) {
        m_prompts.QueueAnswer(path);
        auto failed = AnswerNextMessage();
        Click(ctl::kSelectPictureFile);
        EXPECT_EQ(
            failed->text,
            QStringLiteral("Failed to Load Image, Error 80004005.\n\n%1\n\n%2").arg(path, reason));
        EXPECT_EQ(dialog.Controls().Edit(ctl::kPicturePath)->text(), QString());
    }

    m_prompts.QueueAnswer(deep);
    Click(ctl::kSelectPictureFile);
    EXPECT_EQ(dialog.Controls().Edit(ctl::kPicturePath)->text(), deep);
    // Choosing a file does not store it; closing the window does.
    EXPECT_EQ(GetProfile().Get(keys::kPictureToFindFilePath, "unset"), "unset");
    EXPECT_EQ(m_prompts.asked.value(0),
              QStringLiteral("Image Files (*.png *.jpg *.jpeg *.bmp *.tiff)"));
    m_dialog.reset();
}

}  // namespace
}  // namespace qrv
