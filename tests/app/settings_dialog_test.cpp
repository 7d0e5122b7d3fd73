#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "app/main_window/quorvane_dialog.h"
#include "app/settings/settings_dialog.h"
#include "app_fixture.h"
#include "core/settings/profile.h"
#include "platform/settings/ini_profile_store.h"

namespace qrv {
namespace {

using SettingsDialogTest = AppFixture;

template <typename T>
T* Find(QWidget* dialog, int id) {
    return dialog->findChild<T*>(QStringLiteral("ctl%1").arg(id));
}

void Type(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

// Opens the settings from the main window's menu and runs `use` on them.
void OpenSettings(QuorvaneDialog& dialog, std::function<void(QWidget*)> use) {
    bool seen = false;
    OnNextModal([&](QWidget* modal) {
        seen = true;
        use(modal);
    });
    dialog.OnSettings();
    EXPECT_TRUE(seen);
}

TEST_F(SettingsDialogTest, FreshProfileShowsDefaultsAndCancelWritesNothing) {
    QuorvaneDialog& dialog = OpenMainWindow();
    OpenSettings(dialog, [&](QWidget* settings) {
        EXPECT_EQ(settings->windowTitle(), QStringLiteral("Settings - Quorvane by Tolbrin"));
        EXPECT_EQ(Find<QLineEdit>(settings, 1008)->text(),
                  m_dir.filePath(QStringLiteral("data/Quorvane-by-Tolbrin")));
        EXPECT_TRUE(Find<QCheckBox>(settings, 1014)->isChecked());
        EXPECT_TRUE(Find<QCheckBox>(settings, 1015)->isChecked());
        EXPECT_FALSE(Find<QCheckBox>(settings, 1016)->isChecked());
        EXPECT_EQ(Find<QLineEdit>(settings, 1033)->text(), QStringLiteral("100"));
        EXPECT_EQ(Find<QLineEdit>(settings, 1034)->text(), QStringLiteral("200"));
        EXPECT_TRUE(Find<QCheckBox>(settings, 1030)->isChecked());
        Type(Find<QLineEdit>(settings, 1033), QStringLiteral("5"));
        Find<QCheckBox>(settings, 1016)->click();
        Find<QPushButton>(settings, 2)->click();
    });
    std::unique_ptr<IniProfileStore> store = ReopenStore();
    for (const char* key : {"TempImagesFolder", "ClickTimeDelayMin", "MoveCursorWithSearch"}) {
        EXPECT_EQ(store->GetString(InstanceSection(), key, "absent"), "absent") << key;
    }
}

TEST_F(SettingsDialogTest, OkWritesAllSevenValuesAndSelectOnlyShowsTheFolder) {
    QuorvaneDialog& dialog = OpenMainWindow();
    m_prompts.QueueAnswer(QStringLiteral("/tmp/pictures"));
    OpenSettings(dialog, [&](QWidget* settings) {
        Find<QPushButton>(settings, 1009)->click();
        EXPECT_EQ(Find<QLineEdit>(settings, 1008)->text(), QStringLiteral("/tmp/pictures"));
        EXPECT_EQ(GetProfile().Get(keys::kTempImagesFolder, "unset"), "unset");
        Find<QCheckBox>(settings, 1015)->click();
        Type(Find<QLineEdit>(settings, 1034), QStringLiteral("900"));
        Find<QPushButton>(settings, 1)->click();
    });
    EXPECT_EQ(m_prompts.asked.value(0),
              QStringLiteral("Select Folder to Store Temporary Image Files"));
    std::unique_ptr<IniProfileStore> store = ReopenStore();
    const std::string section = InstanceSection();
    EXPECT_EQ(store->GetString(section, "TempImagesFolder", ""), "/tmp/pictures");
    const std::pair<const char*, int32_t> ints[] = {{"AutoDisplayPictureToFindPreview", 0},
                                                    {"AutoDisplayCapturedScreenAreaPreview", 1},
                                                    {"MoveCursorWithSearch", 0},
                                                    {"ClickTimeDelayMin", 100},
                                                    {"ClickTimeDelayMax", 900},
                                                    {"SpeakTextAsync", 1}};
    for (const auto& [key, value] : ints) {
        EXPECT_EQ(store->GetInt(section, key, -1), value) << key;
    }
}

}  // namespace
}  // namespace qrv
