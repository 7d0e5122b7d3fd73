#include "app/settings/settings_dialog.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

#include "app/widgets/app_icons.h"
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

QLineEdit* DigitsEdit(QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
    return edit;
}

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
    auto place = [&](QWidget* widget, int id, int x, int y, int w, int h) {
        widget->setGeometry(du.Rect(x, y, w, h));
        if (id != 0) {
            widget->setObjectName(ControlName(id));
        }
        return widget;
    };
    auto* group = new QGroupBox(QStringLiteral("Temporary Folder Path to Store Pictures"), this);
    place(group, 0, 7, 7, 326, 73);
    auto* folder = new QLineEdit(this);
    folder->setReadOnly(true);
    place(folder, kFolder, 21, 27, 299, 14);
    auto* select = new QPushButton(QStringLiteral("Select"), this);
    place(select, kSelect, 21, 50, 50, 14);
    auto* show = new QPushButton(QStringLiteral("Show"), this);
    place(show, kShow, 270, 50, 50, 14);
    auto* areaPreview = new QCheckBox(
        QStringLiteral("Automatically Display Preview of Captured Screen Area"), this);
    place(areaPreview, kAreaPreview, 21, 88, 193, 10);
    auto* picturePreview = new QCheckBox(
        QStringLiteral("Automatically Display Preview of Picture to Search in Screen Area"), this);
    place(picturePreview, kPicturePreview, 22, 104, 225, 10);
    auto* moveCursor = new QCheckBox(QStringLiteral("Move Mouse Cursor with Search"), this);
    place(moveCursor, kMoveCursor, 22, 121, 119, 10);
    place(new QLabel(QStringLiteral("Time Delay between Mouse Down & Mouse Up :"), this), 0, 22,
          136, 153, 8);
    QLineEdit* delayMin = DigitsEdit(this);
    place(delayMin, kDelayMin, 177, 133, 40, 14);
    place(new QLabel(QStringLiteral("to"), this), 0, 221, 136, 8, 8);
    QLineEdit* delayMax = DigitsEdit(this);
    place(delayMax, kDelayMax, 233, 133, 40, 14);
    auto* speakAsync = new QCheckBox(QStringLiteral("Speak Text in Asynchronous Mode"), this);
    place(speakAsync, kSpeakAsync, 22, 162, 126, 10);
    auto* maskTransparent =
        new QCheckBox(QStringLiteral("Transparent Pixels of Picture Match Any Color"), this);
    place(maskTransparent, kMaskTransparent, 22, 175, 155, 10);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    place(ok, 1, 182, 156, 73, 22);
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    place(cancel, 2, 262, 156, 73, 22);
    cancel->setAutoDefault(false);
    select->setAutoDefault(false);
    show->setAutoDefault(false);
    group->lower();

    m_exchange.BindText(folder, &m_strTempImagesFolder);
    m_exchange.BindCheck(areaPreview, &m_bAutoDisplayCapturedScreenAreaPreview);
    m_exchange.BindCheck(picturePreview, &m_bAutoDisplayPictureToFindPreview);
    m_exchange.BindCheck(moveCursor, &m_bMoveCursorWithSearch);
    m_exchange.BindInt(delayMin, &m_iClickTimeDelayMin, QStringLiteral("the shortest Time Delay"));
    m_exchange.BindInt(delayMax, &m_iClickTimeDelayMax, QStringLiteral("the longest Time Delay"));
    m_exchange.BindCheck(speakAsync, &m_bSpeakTextAsync);
    m_exchange.BindCheck(maskTransparent, &m_maskTransparent);

    connect(select, &QPushButton::clicked, this, &SettingsDialog::OnSelectFolder);
    connect(show, &QPushButton::clicked, this, &SettingsDialog::OnShowFolder);
    connect(ok, &QPushButton::clicked, this, &SettingsDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &SettingsDialog::reject);
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
