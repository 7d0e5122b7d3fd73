#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "app/main_window/quorvane_dialog.h"
#include "app/settings/settings_dialog.h"
#include "app/widgets/find_control.h"
#include "app_fixture.h"
#include "core/settings/profile.h"
#include "platform/settings/ini_profile_store.h"

namespace qrv {
namespace {

using SettingsDialogTest = AppFixture;

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

// A fresh profile shows the defaults and Cancel writes nothing; OK writes
// all eight values, and choosing the folder only shows it until then.
TEST_F(SettingsDialogTest, CancelWritesNothingAndOkWritesAllEightValues) {
    QuorvaneDialog& dialog = OpenMainWindow();
    OpenSettings(dialog, [&](QWidget* settings) {
        EXPECT_EQ(settings->windowTitle(), QStringLiteral("Settings - Quorvane by Tolbrin"));
        EXPECT_EQ(FindControl<QLineEdit>(settings, 1008)->text(),
                  m_dir.filePath(QStringLiteral("data/Quorvane-by-Tolbrin")));
        EXPECT_TRUE(FindControl<QCheckBox>(settings, 1014)->isChecked());
        EXPECT_TRUE(FindControl<QCheckBox>(settings, 1015)->isChecked());
        EXPECT_FALSE(FindControl<QCheckBox>(settings, 1016)->isChecked());
        EXPECT_EQ(FindControl<QLineEdit>(settings, 1033)->text(), QStringLiteral("100"));
        EXPECT_EQ(FindControl<QLineEdit>(settings, 1034)->text(), QStringLiteral("200"));
        EXPECT_TRUE(FindControl<QCheckBox>(settings, 1030)->isChecked());
        EXPECT_FALSE(FindControl<QCheckBox>(settings, 1040)->isChecked());
        Type(FindControl<QLineEdit>(settings, 1033), QStringLiteral("5"));
        FindControl<QCheckBox>(settings, 1016)->click();
        FindControl<QCheckBox>(settings, 1040)->click();
        FindControl<QPushButton>(settings, 2)->click();
    });
    std::unique_ptr<IniProfileStore> store = ReopenStore();
    for (const char* key : {"TempImagesFolder", "ClickTimeDelayMin", "MoveCursorWithSearch"}) {
        EXPECT_EQ(store->GetString(InstanceSection(), key, "absent"), "absent") << key;
    }
    EXPECT_EQ(store->GetString("Settings", "MaskTransparent", "absent"), "absent");

    m_prompts.QueueAnswer(QStringLiteral("/tmp/pictures"));
    OpenSettings(dialog, [&](QWidget* settings) {
        FindControl<QPushButton>(settings, 1009)->click();
        EXPECT_EQ(FindControl<QLineEdit>(settings, 1008)->text(), QStringLiteral("/tmp/pictures"));
        EXPECT_EQ(GetProfile().Get(keys::kTempImagesFolder, "unset"), "unset");
        FindControl<QCheckBox>(settings, 1015)->click();
        Type(FindControl<QLineEdit>(settings, 1034), QStringLiteral("900"));
        FindControl<QCheckBox>(settings, 1040)->click();
        FindControl<QPushButton>(settings, 1)->click();
    });
    EXPECT_EQ(m_prompts.asked.value(0),
              QStringLiteral("Select Folder to Store Temporary Image Files"));
    store = ReopenStore();
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
    // Shared by every instance.
    EXPECT_EQ(store->GetInt("Settings", "MaskTransparent", -1), 1);
    EXPECT_EQ(store->GetInt(section, "MaskTransparent", -1), -1);
}

}  // namespace
}  // namespace qrv
