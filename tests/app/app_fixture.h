#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include <QMessageBox>
#include <QString>
#include <QTemporaryDir>

#include "app/main_window/quorvane_dialog.h"
#include "app/services/platform_services.h"
#include "fakes/action_log.h"
#include "platform/desktop_platform.h"
#include "platform/settings/ini_profile_store.h"
#include "scripted_file_prompts.h"

class QObject;
class QWidget;

namespace qrv {

class Profile;
class ScreenSource;
class Shell;

// What a message box showed and how it was answered.
struct SeenMessage {
    bool seen = false;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString caption;
    Qt::TextFormat format = Qt::AutoText;
};

// Runs `handler` on the next shown modal window other than `after`. The
// returned watch deletes itself then; delete it to stop waiting.
QObject* OnNextModal(std::function<void(QWidget*)> handler, QWidget* after = nullptr);
// Records the next message box (other than `after`) and presses `answer` on it.
std::shared_ptr<SeenMessage> AnswerNextMessage(QMessageBox::StandardButton answer = QMessageBox::Ok,
                                               QWidget* after = nullptr);
// Writes `bytes` to the file at `path`, replacing it; false when it cannot.
bool WriteFile(const QString& path, const QByteArray& bytes = {});
// Processes events until `done` holds; false when it never did.
bool WaitFor(const std::function<bool()>& done, int timeoutMs = 20000);

// Real platform services on the test desktop with a profile, a data folder
// and speech of their own; the main window is created on demand.
class AppFixture : public ::testing::Test {
  protected:
    void SetUp() override;
    void MakeServices();
    void TearDown() override;

    AppServices& Services();
    Profile& GetProfile();
    QuorvaneDialog& OpenMainWindow();
    // The main window over other services, which must outlive it.
    QuorvaneDialog& OpenMainWindow(AppServices& services);
    // Replace the desktop's shell or screen in the services; before opening a window.
    void UseShell(std::unique_ptr<Shell> shell);
    void UseScreen(std::unique_ptr<ScreenSource> screen);
    // Saves the session's store, as the program does when it ends, and opens
    // a second store on the same file, reading what was saved.
    std::unique_ptr<IniProfileStore> ReopenStore() const;
    std::string InstanceSection();

    // Types `text` into a main window edit as the user would, replacing its contents.
    void SetEdit(int id, const QString& text);
    void Click(int id);

    QTemporaryDir m_dir;
    ScriptedFilePrompts m_prompts;
    ActionLog m_speech;
    std::unique_ptr<IniProfileStore> m_store;
    std::unique_ptr<DesktopPlatform> m_desktop;
    std::unique_ptr<PlatformServices> m_platform;
    std::unique_ptr<QuorvaneDialog> m_dialog;
};

}  // namespace qrv
