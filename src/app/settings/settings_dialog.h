#pragma once

#include <cstdint>
#include <string>

#include <QDialog>

#include "app/widgets/field_exchange.h"

class QLineEdit;

namespace qrv {

class FilePrompts;
class Profile;
class Shell;

// The settings the main window does not show: the folder for captured
// pictures, the automatic previews, the cursor sweep, the click hold time
// range, asynchronous speech and, shared by all instances, whether transparent
// picture pixels match any colour. Reads the profile when opened, writes all
// eight values on OK, nothing on Cancel.
class SettingsDialog : public QDialog {
    Q_OBJECT

  public:
    // `defaultFolder` is shown when the profile names no folder.
    SettingsDialog(Profile& profile, Shell& shell, FilePrompts& prompts,
                   const std::string& defaultFolder, QWidget* parent);

    void accept() override;

  private:
    void Build();
    void Load(const std::string& defaultFolder);
    void Save();
    void OnSelectFolder();
    void OnShowFolder();

    Profile& m_profile;
    Shell& m_shell;
    FilePrompts& m_prompts;
    FieldExchange m_exchange{this};

    std::string m_strTempImagesFolder;
    bool m_bAutoDisplayCapturedScreenAreaPreview = false;
    bool m_bAutoDisplayPictureToFindPreview = false;
    bool m_bMoveCursorWithSearch = false;
    int32_t m_iClickTimeDelayMin = 0;
    int32_t m_iClickTimeDelayMax = 0;
    bool m_bSpeakTextAsync = false;
    bool m_maskTransparent = false;
};

}  // namespace qrv
