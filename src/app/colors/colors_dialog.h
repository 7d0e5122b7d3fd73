#pragma once

#include <cstdint>
#include <string>

#include <QDialog>

#include "app/colors/colors_services.h"
#include "core/desktop/global_hot_keys.h"

class QLabel;
class QPushButton;
class QTableView;

namespace qrv {

class ColorList;
class ColorListModel;

// The unique colours of an image file or a screen area, one row per colour.
// While it is open, the first free key of F6 to F12 (without modifiers) adds
// the colour of the screen pixel under the mouse cursor, whichever window is
// in front. The list can be exported as an HTML page.
class ColorsDialog : public QDialog {
    Q_OBJECT

  public:
    // The window shares the desktop's hot keys with the main window.
    static constexpr int kHotKeyId = hot_key_id::kAddColor;
    // Virtual-key codes of F6 and F12, tried in this order.
    static constexpr uint32_t kFirstHotKey = 0x75;
    static constexpr uint32_t kLastHotKey = 0x7B;

    // `hotKeys` may be null (no hot key); the list and the hot keys outlive
    // the dialog.
    ColorsDialog(ColorList& list, ColorsServices services, GlobalHotKeys* hotKeys,
                 QWidget* parent = nullptr);
    ~ColorsDialog() override;

    // Adds the colour of the pixel under the cursor, or beeps when listed.
    void AddColorAtCursor();
    // Asks for a file, writes the list to it as HTML and shows it in the
    // file manager.
    void ExportColorsToHtml();

    // The virtual key grabbed as the hot key, 0 when none could be.
    uint32_t HotKey() const { return m_hotKey; }
    ColorListModel& Model() const { return *m_model; }

    void done(int result) override;

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void Build();
    void LoadColumnWidths();
    void SaveColumnWidths();
    void RegisterHotKey();
    void ReleaseHotKey();
    void FillColorList();
    QString AskExportPath(const std::string& proposed, const std::string& folder);

    ColorList& m_colors;
    ColorsServices m_services;
    GlobalHotKeys* m_hotKeys;
    uint32_t m_hotKey = 0;
    bool m_closed = false;
    ColorListModel* m_model = nullptr;
    QTableView* m_list = nullptr;
    QLabel* m_summary = nullptr;
    QPushButton* m_export = nullptr;
};

}  // namespace qrv
