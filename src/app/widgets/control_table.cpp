#include "app/widgets/control_table.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QList>
#include <QPushButton>
#include <QRegularExpressionValidator>

#include "app/widgets/app_icons.h"
#include "app/widgets/dialog_units.h"
#include "app/widgets/find_control.h"
#include "app/widgets/hot_key_edit.h"

namespace qrv {

namespace {

constexpr int kIconPixels = 32;

QWidget* MakeControl(const ControlEntry& entry, QWidget* dialog) {
    const QString text = QString::fromUtf8(entry.text);
    switch (entry.kind) {
        case ControlKind::Button: {
            auto* button = new QPushButton(text, dialog);
            button->setAutoDefault(false);
            return button;
        }
        case ControlKind::Label: {
            auto* label = new QLabel(text, dialog);
            label->setTextFormat(Qt::PlainText);
            return label;
        }
        case ControlKind::Icon: {
            auto* icon = new QLabel(dialog);
            icon->setPixmap(AppIcons::NormalPixmap(kIconPixels));
            return icon;
        }
        case ControlKind::Group: {
            auto* group = new QGroupBox(text, dialog);
            group->setAttribute(Qt::WA_TransparentForMouseEvents);
            group->setFocusPolicy(Qt::NoFocus);
            return group;
        }
        case ControlKind::Check:
            return new QCheckBox(text, dialog);
        case ControlKind::HotKey:
            return new HotKeyEdit(dialog);
        case ControlKind::Digits: {
            auto* edit = new QLineEdit(dialog);
            edit->setValidator(new QRegularExpressionValidator(
                QRegularExpression(QStringLiteral("[0-9]*")), edit));
            return edit;
        }
        case ControlKind::ReadOnly: {
            auto* edit = new QLineEdit(dialog);
            edit->setReadOnly(true);
            return edit;
        }
        case ControlKind::Edit:
            break;
    }
    return new QLineEdit(dialog);
}

QRect Placement(const ControlEntry& entry, const DialogUnits& units) {
    if (entry.kind == ControlKind::Icon) {
        return QRect(units.Rect(entry.x, entry.y, 0, 0).topLeft(), QSize(kIconPixels, kIconPixels));
    }
    return units.Rect(entry.x, entry.y, entry.width, entry.height);
}

}  // namespace

void CreateControls(std::span<const ControlEntry> table, QWidget* dialog,
                    const DialogUnits& units) {
    QList<QWidget*> groups;
    for (const ControlEntry& entry : table) {
        QWidget* control = MakeControl(entry, dialog);
        control->setGeometry(Placement(entry, units));
        if (!entry.tabStop) {
            control->setFocusPolicy(Qt::ClickFocus);
        }
        if (entry.kind == ControlKind::Group) {
            groups.append(control);
        }
        if (entry.id != 0) {
            control->setObjectName(ControlName(entry.id));
        }
    }
    for (QWidget* group : groups) {
        group->lower();
    }
}

}  // namespace qrv
