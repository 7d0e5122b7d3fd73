#include "app_fixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app/main_window/main_dialog_controls.h"
#include "core/desktop/shell.h"
#include "core/settings/profile.h"
#include "fakes/recording_voice_factory.h"

namespace qrv {

void AppFixture::SetUp() {
    ASSERT_TRUE(m_dir.isValid());
    m_store = std::make_unique<IniProfileStore>(
        m_dir.filePath(QStringLiteral("profile.ini")).toStdString());
    m_desktop = OpenDesktopPlatform();
    ASSERT_TRUE(m_desktop->HasSession());
    MakeServices();
}

void AppFixture::MakeServices() {
    m_platform = std::make_unique<PlatformServices>(
        *m_desktop, *m_store, m_prompts, m_dir.filePath(QStringLiteral("data")).toStdString(),
        std::make_unique<RecordingVoiceFactory>(m_speech));
}

void AppFixture::UseShell(std::unique_ptr<Shell> shell) {
    m_platform.reset();
    m_desktop->shell = std::move(shell);
    MakeServices();
}

void AppFixture::UseScreen(std::unique_ptr<ScreenSource> screen) {
    m_platform.reset();
    m_desktop->screen = std::move(screen);
    MakeServices();
}

void AppFixture::TearDown() {
    // A window left modal would swallow the next test's prompts.
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    while (auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
        modal->reject();
    }
    m_dialog.reset();
    m_platform.reset();
    m_desktop.reset();
}

AppServices& AppFixture::Services() {
    return m_platform->Services();
}

Profile& AppFixture::GetProfile() {
    return Services().profile;
}

QuorvaneDialog& AppFixture::OpenMainWindow() {
    return OpenMainWindow(Services());
}

QuorvaneDialog& AppFixture::OpenMainWindow(AppServices& services) {
    m_dialog = std::make_unique<QuorvaneDialog>(services);
    m_dialog->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(m_dialog.get()));
    return *m_dialog;
}

std::unique_ptr<IniProfileStore> AppFixture::ReopenStore() const {
    EXPECT_TRUE(m_store->Save());
    return std::make_unique<IniProfileStore>(
        m_dir.filePath(QStringLiteral("profile.ini")).toStdString());
}

std::string AppFixture::InstanceSection() {
    return GetProfile().GetInstanceSection();
}

QObject* OnNextModal(std::function<void(QWidget*)> handler, QWidget* after) {
    auto* poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, poll,
                     [poll, skip = QPointer<QWidget>(after), handler = std::move(handler)] {
                         QWidget* modal = QApplication::activeModalWidget();
                         if (modal && modal != skip.data() && modal->isVisible()) {
                             poll->stop();
                             poll->deleteLater();
                             handler(modal);
                         }
                     });
    poll->start(20);
    return poll;
}

std::shared_ptr<SeenMessage> AnswerNextMessage(QMessageBox::StandardButton answer, QWidget* after) {
    auto seen = std::make_shared<SeenMessage>();
    OnNextModal(
        [seen, answer](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            if (!box) {
                return;
            }
            *seen = {true, box->text(), box->icon(), box->windowTitle(), box->textFormat()};
            if (QAbstractButton* button = box->button(answer)) {
                button->click();
            } else {
                box->reject();
            }
        },
        after);
    return seen;
}

bool WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

bool WaitFor(const std::function<bool()>& done, int timeoutMs) {
    return QTest::qWaitFor(done, timeoutMs);
}

void AppFixture::SetEdit(int id, const QString& text) {
    QLineEdit* edit = m_dialog->Controls().Edit(id);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

void AppFixture::Click(int id) {
    QTest::mouseClick(m_dialog->Controls().Button(id), Qt::LeftButton);
}

}  // namespace qrv
