#include "app/settings/settings_dialog.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include "app/widgets/app_icons.h"
#include "app/widgets/control_table.h"
#include "app/widgets/dialog_units.h"
#include "app/widgets/file_prompts.h"
#include "app/widgets/find_control.h"
#include "app/widgets/message_boxes.h"
#include "core/desktop/shell.h"
#include "core/settings/profile.h"

namespace qrv {

namespace {

constexpr int kFolder = 1008;
constexpr int kSelect = 1009;
constexpr int kShow = 1012;
constexpr int kAreaPreview = 1014;
constexpr int kPicturePreview = 1015;
constexpr int kMoveCursor = 1016;
constexpr int kDelayMin = 1033;
constexpr int kDelayMax = 1034;
constexpr int kSpeakAsync = 1030;
constexpr int kMaskTransparent = 1040;

constexpr int kOk = 1;
constexpr int kCancel = 2;

using Kind = ControlKind;

// Tab order.
constexpr ControlEntry kLayout[] = {
    {0, Kind::Group, "Temporary Folder Path to Store Pictures", 7, 7, 326, 73},
    {kFolder, Kind::ReadOnly, "", 21, 27, 299, 14},
    {kSelect, Kind::Button, "Select", 21, 50, 50, 14},
    {kShow, Kind::Button, "Show", 270, 50, 50, 14},
    {kAreaPreview, Kind::Check, "Automatically Display Preview of Captured Screen Area", 21, 88,
     193, 10},
    {kPicturePreview, Kind::Check,
     "Automatically Display Preview of Picture to Search in Screen Area", 22, 104, 225, 10},
    {kMoveCursor, Kind::Check, "Move Mouse Cursor with Search", 22, 121, 119, 10},
    {0, Kind::Label, "Time Delay between Mouse Down & Mouse Up :", 22, 136, 153, 8},
    {kDelayMin, Kind::Digits, "", 177, 133, 40, 14},
    {0, Kind::Label, "to", 221, 136, 8, 8},
    {kDelayMax, Kind::Digits, "", 233, 133, 40, 14},
    {kSpeakAsync, Kind::Check, "Speak Text in Asynchronous Mode", 22, 162, 126, 10},
    {kMaskTransparent, Kind::Check, "Transparent Pixels of Picture Match Any Color", 22, 175, 155,
     10},
    {kOk, Kind::Button, "OK", 182, 156, 73, 22},
    {kCancel, Kind::Button, "Cancel", 262, 156, 73, 22},
};

}  // namespace

SettingsDialog::SettingsDialog(Profile& profile, Shell& shell, FilePrompts& prompts,
                               const std::string& defaultFolder, QWidget* parent)
    : QDialog(parent), m_profile(profile), m_shell(shell), m_prompts(prompts) {
    setObjectName(QStringLiteral("settingsDialog"));
    Build();
    Load(defaultFolder);
    m_exchange.ToControls();
    setWindowTitle(QStringLiteral("Settings - %1").arg(MessageBoxes::Caption()));
    setWindowIcon(AppIcons::Normal());
}

void SettingsDialog::Build() {
    setFont(DialogUnits::DialogFont());
    const DialogUnits du(font());
    setFixedSize(du.Size(343, 187));
    CreateControls(kLayout, this, du);
    auto* ok = FindControl<QPushButton>(this, kOk);
    ok->setAutoDefault(true);
    ok->setDefault(true);

    m_exchange.BindText(FindControl<QLineEdit>(this, kFolder), &m_strTempImagesFolder);
    m_exchange.BindCheck(FindControl<QCheckBox>(this, kAreaPreview),
                         &m_bAutoDisplayCapturedScreenAreaPreview);
    m_exchange.BindCheck(FindControl<QCheckBox>(this, kPicturePreview),
                         &m_bAutoDisplayPictureToFindPreview);
    m_exchange.BindCheck(FindControl<QCheckBox>(this, kMoveCursor), &m_bMoveCursorWithSearch);
    m_exchange.BindInt(FindControl<QLineEdit>(this, kDelayMin), &m_iClickTimeDelayMin,
                       QStringLiteral("the shortest Time Delay"));
    m_exchange.BindInt(FindControl<QLineEdit>(this, kDelayMax), &m_iClickTimeDelayMax,
                       QStringLiteral("the longest Time Delay"));
    m_exchange.BindCheck(FindControl<QCheckBox>(this, kSpeakAsync), &m_bSpeakTextAsync);
    m_exchange.BindCheck(FindControl<QCheckBox>(this, kMaskTransparent), &m_maskTransparent);

    connect(FindControl<QPushButton>(this, kSelect), &QPushButton::clicked, this,
            &SettingsDialog::OnSelectFolder);
    connect(FindControl<QPushButton>(this, kShow), &QPushButton::clicked, this,
            &SettingsDialog::OnShowFolder);
    connect(ok, &QPushButton::clicked, this, &SettingsDialog::accept);
    connect(FindControl<QPushButton>(this, kCancel), &QPushButton::clicked, this,
            &SettingsDialog::reject);
}

void SettingsDialog::Load(const std::string& defaultFolder) {
    m_strTempImagesFolder = m_profile.Get(keys::kTempImagesFolder, defaultFolder);
    m_bAutoDisplayPictureToFindPreview = m_profile.Get(keys::kAutoDisplayPictureToFindPreview) != 0;
    m_bAutoDisplayCapturedScreenAreaPreview =
        m_profile.Get(keys::kAutoDisplayCapturedScreenAreaPreview) != 0;
    m_bMoveCursorWithSearch = m_profile.Get(keys::kMoveCursorWithSearch) != 0;
    m_iClickTimeDelayMin = m_profile.Get(keys::kClickTimeDelayMin);
    m_iClickTimeDelayMax = m_profile.Get(keys::kClickTimeDelayMax);
    m_bSpeakTextAsync = m_profile.Get(keys::kSpeakTextAsync) != 0;
    m_maskTransparent = m_profile.Get(keys::kMaskTransparent) != 0;
}

void SettingsDialog::accept() {
    m_exchange.ToFields();
    Save();
    if (m_exchange.ToFields()) {
        QDialog::accept();
    }
}

void SettingsDialog::Save() {
    m_profile.Write(keys::kTempImagesFolder, m_strTempImagesFolder);
    m_profile.Write(keys::kAutoDisplayPictureToFindPreview, m_bAutoDisplayPictureToFindPreview);
    m_profile.Write(keys::kAutoDisplayCapturedScreenAreaPreview,
                    m_bAutoDisplayCapturedScreenAreaPreview);
    m_profile.Write(keys::kMoveCursorWithSearch, m_bMoveCursorWithSearch);
    m_profile.Write(keys::kClickTimeDelayMin, m_iClickTimeDelayMin);
    m_profile.Write(keys::kClickTimeDelayMax, m_iClickTimeDelayMax);
    m_profile.Write(keys::kSpeakTextAsync, m_bSpeakTextAsync);
    m_profile.Write(keys::kMaskTransparent, m_maskTransparent);
}

void SettingsDialog::OnSelectFolder() {
    const QString folder =
        m_prompts.Folder(this, QStringLiteral("Select Folder to Store Temporary Image Files"));
    if (folder.isEmpty()) {
        return;
    }
    m_exchange.ToFields();
    m_strTempImagesFolder = folder.toStdString();
    m_exchange.ToControls();
}

void SettingsDialog::OnShowFolder() {
    if (!m_strTempImagesFolder.empty()) {
        m_shell.Open(m_strTempImagesFolder);
    }
}

}  // namespace qrv
