#include "app/automation/suppressible_tip.h"

#include <QCheckBox>
#include <QMessageBox>

#include "core/desktop/profile_store.h"

namespace qrv {

bool SuppressibleTip::Suppressed() const {
    return m_store.GetInt(kSection, m_valueName, 0) != 0;
}

void SuppressibleTip::Suppress() {
    m_store.WriteInt(kSection, m_valueName, 1);
}

void SuppressibleTip::Show(QWidget* owner, const QString& title, const QString& text) {
    if (Suppressed()) {
        return;
    }
    QMessageBox box(QMessageBox::Information, title, text, QMessageBox::Ok, owner);
    box.setObjectName(QStringLiteral("tipBox"));
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Ok);
    box.setCheckBox(new QCheckBox(QStringLiteral("Don't show this message again")));
    if (owner) {
        box.setWindowModality(Qt::WindowModal);
    }
    box.exec();
    if (box.checkBox()->isChecked()) {
        Suppress();
    }
}

}  // namespace qrv
