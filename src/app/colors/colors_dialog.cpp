#include "app/colors/colors_dialog.h"

#include <vector>

#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableView>

#include "app/colors/color_list_model.h"
#include "app/colors/color_swatch_delegate.h"
#include "app/help_page.h"
#include "app/widgets/anchored_layout.h"
#include "app/widgets/app_icons.h"
#include "app/widgets/dialog_units.h"
#include "app/widgets/message_boxes.h"
#include "app/widgets/wait_cursor.h"
#include "core/base/pixel_image.h"
#include "core/colors/color_columns.h"
#include "core/colors/color_list.h"
#include "core/colors/color_list_texts.h"
#include "core/colors/colors_html_export.h"
#include "core/desktop/beeper.h"
#include "core/desktop/global_hot_keys.h"
#include "core/desktop/input_injector.h"
#include "core/desktop/screen_source.h"
#include "core/desktop/shell.h"
#include "core/desktop/user_folders.h"
#include "core/settings/setting_keys.h"

namespace qrv {

ColorsDialog::ColorsDialog(ColorList& list, ColorsServices services, GlobalHotKeys* hotKeys,
                           QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint),
      m_colors(list),
      m_services(services),
      m_hotKeys(hotKeys) {
    setObjectName(QStringLiteral("coloursDialog"));
    setWindowIcon(AppIcons::Normal());
    Build();
    LoadColumnWidths();
    FillColorList();
    RegisterHotKey();
}

ColorsDialog::~ColorsDialog() {
    ReleaseHotKey();
}

void ColorsDialog::Build() {
    setFont(DialogUnits::DialogFont());
    const DialogUnits du(font());
    const QSize size = du.Size(361, 305);
    resize(size);
    setMinimumSize(size);
    setSizeGripEnabled(true);
    auto* layout = new AnchoredLayout(size, this);
    using A = AnchoredLayout::Anchor;

    m_model = new ColorListModel(m_colors, this);
    m_list = new QTableView(this);
    m_list->setObjectName(QStringLiteral("colorList"));
    m_list->setModel(m_model);
    m_list->setItemDelegateForColumn(kColorSwatchColumn, new ColorSwatchDelegate(m_list));
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setSortingEnabled(false);
    m_list->setWordWrap(false);
    m_list->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    // Fixed row heights keep a list of millions of rows as quick as a short one.
    QHeaderView* rows = m_list->verticalHeader();
    rows->hide();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(fontMetrics().height() + 6);
    QHeaderView* columns = m_list->horizontalHeader();
    columns->setSectionsClickable(false);
    columns->setHighlightSections(false);
    columns->setStretchLastSection(false);
    columns->setMinimumSectionSize(1);
    layout->Add(m_list, du.Rect(0, 0, 361, 261), A::GrowX | A::GrowY);

    m_summary = new QLabel(this);
    m_summary->setTextFormat(Qt::PlainText);
    m_summary->setObjectName(QStringLiteral("summaryLine"));
    m_summary->setAlignment(Qt::AlignCenter);
    layout->Add(m_summary, du.Rect(4, 267, 352, 8), A::MoveY | A::GrowX);

    m_export = new QPushButton(QStringLiteral("Export..."), this);
    m_export->setObjectName(QStringLiteral("exportButton"));
    m_export->setAutoDefault(false);
    layout->Add(m_export, du.Rect(179, 280, 74, 21), A::MoveX | A::MoveY);
    connect(m_export, &QPushButton::clicked, this, &ColorsDialog::ExportColorsToHtml);
}

void ColorsDialog::LoadColumnWidths() {
    const ColorColumnWidths widths = LoadColorColumnWidths(m_services.store, m_list->width());
    for (std::size_t i = 0; i < widths.size(); ++i) {
        m_list->horizontalHeader()->resizeSection(int(i), widths[i]);
    }
}

void ColorsDialog::SaveColumnWidths() {
    const QHeaderView* header = m_list->horizontalHeader();
    std::vector<int32_t> widths;
    for (int i = 0; i < header->count(); ++i) {
        widths.push_back(header->sectionSize(i));
    }
    SaveColorColumnWidths(m_services.store, widths);
}

void ColorsDialog::RegisterHotKey() {
    if (!m_hotKeys) {
        return;
    }
    for (uint32_t key = kFirstHotKey; key <= kLastHotKey; ++key) {
        if (m_hotKeys->Register(kHotKeyId, 0, key)) {
            m_hotKey = key;
            break;
        }
    }
    // The press is handled once the hot key's own dispatch has returned.
    m_hotKeys->SetHandler(kHotKeyId, [this](int) {
        QMetaObject::invokeMethod(this, &ColorsDialog::AddColorAtCursor, Qt::QueuedConnection);
    });
}

void ColorsDialog::ReleaseHotKey() {
    if (!m_hotKeys) {
        return;
    }
    m_hotKeys->SetHandler(kHotKeyId, {});
    m_hotKeys->Unregister(kHotKeyId);
    m_hotKeys = nullptr;
    m_hotKey = 0;
}

void ColorsDialog::FillColorList() {
    WaitCursor wait;
    m_model->Rebuild();
    m_summary->setText(QString::fromUtf8(m_colors.Summary()));
    setWindowTitle(QString::fromUtf8(m_colors.Title(kAppName)));
}

void ColorsDialog::AddColorAtCursor() {
    if (!m_services.cursor) {
        MessageBoxes::Show(this, QString::fromUtf8(kCursorPositionFailedText), MessageIcon::Error);
        return;
    }
    const Point at = m_services.cursor->CursorPos();
    PixelImage pixel;
    m_services.screen.Capture(Rect{at.x, at.y, at.x + 1, at.y + 1}, pixel);
    if (m_colors.AddColor(pixel.PackedAt(0, 0)) == AddColorResult::AlreadyListed) {
        m_services.beeper.Beep(BeepKind::Information);
        return;
    }
    FillColorList();
}

void ColorsDialog::ExportColorsToHtml() {
    const ColorsHtmlExport page(m_summary->text().toStdString(), kAppName);
    const std::string folder = m_services.folders.DesktopAppFolder();
    const QString path = AskExportPath(page.ProposedPath(folder, m_services.clock), folder);
    if (path.isEmpty()) {
        return;
    }
    HtmlExportResult result;
    {
        WaitCursor wait;
        result = page.Write(path.toStdString(), m_colors.Colors());
    }
    if (!result.ok) {
        MessageBoxes::Show(this, QString::fromUtf8(result.message), MessageIcon::Error);
        return;
    }
    m_services.shell.Reveal(path.toStdString());
}

QString ColorsDialog::AskExportPath(const std::string& proposed, const std::string& folder) {
    QFileDialog dialog(this, QString(), QString::fromUtf8(folder),
                       QStringLiteral("HTML Files (*.html)"));
    dialog.setObjectName(QStringLiteral("exportFileDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("html"));
    // The name alone: the dialog already shows the folder.
    if (!proposed.empty()) {
        dialog.selectFile(QFileInfo(QString::fromUtf8(proposed)).fileName());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().constFirst();
}

void ColorsDialog::done(int result) {
    if (!m_closed) {
        m_closed = true;
        SaveColumnWidths();
        ReleaseHotKey();
    }
    QDialog::done(result);
}

void ColorsDialog::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_F1) {
        HelpPage::Open(this, m_services.shell);
    } else if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        accept();
    } else {
        QDialog::keyPressEvent(event);
    }
}

}  // namespace qrv
