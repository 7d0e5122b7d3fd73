#include "app/automation/accessibility_prompt.h"

#include <QMessageBox>

#include "app/widgets/message_boxes.h"
#include "core/desktop/accessibility_switch.h"

namespace qrv {

const QString& AccessibilityPrompt::NoBusText() {
    static const QString text = QStringLiteral(
        "The accessibility bus of this desktop cannot be reached, so the controls of other "
        "applications cannot be read or clicked.\n\nLog in to a desktop session with "
        "accessibility support and open this window again.");
    return text;
}

const QString& AccessibilityPrompt::EnableFailedText() {
    static const QString text = QStringLiteral(
        "Accessibility support could not be switched on.\n\nSwitch it on in the desktop's "
        "accessibility settings, restart the applications to inspect and open this window "
        "again.");
    return text;
}

const QString& AccessibilityPrompt::NoTreeText() {
    static const QString text = QStringLiteral(
        "The accessibility tree of this desktop cannot be opened, so the controls of other "
        "applications cannot be read or clicked.");
    return text;
}

bool AccessibilityPrompt::Check(QWidget* owner, AccessibilitySwitch* accessibility) {
    if (!accessibility) {
        return true;
    }
    const std::optional<bool> enabled = accessibility->IsEnabled();
    if (!enabled) {
        MessageBoxes::Show(owner, NoBusText(), MessageIcon::Error);
        return false;
    }
    if (*enabled) {
        return true;
    }
    const std::string_view question = AccessibilitySwitch::kSwitchedOffQuestion;
    QMessageBox box(QMessageBox::Question, MessageBoxes::Caption(),
                    QString::fromUtf8(question.data(), qsizetype(question.size())),
                    QMessageBox::Yes | QMessageBox::No, owner);
    box.setObjectName(QStringLiteral("messageBox"));
    box.setDefaultButton(QMessageBox::Yes);
    if (owner) {
        box.setWindowModality(Qt::WindowModal);
    }
    if (box.exec() != QMessageBox::Yes) {
        return false;
    }
    if (accessibility->Enable()) {
        return true;
    }
    MessageBoxes::Show(owner, EnableFailedText(), MessageIcon::Error);
    return false;
}

}  // namespace qrv
