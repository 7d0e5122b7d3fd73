#include "app/widgets/hot_key_edit.h"

#include <QKeyEvent>
#include <QKeySequence>

#include "app/widgets/qt_key_map.h"
#include "core/search/hot_key_modifiers.h"

namespace qrv {

namespace {

constexpr Qt::KeyboardModifiers kKeptModifiers = Qt::ShiftModifier | Qt::ControlModifier |
                                                 Qt::AltModifier | Qt::MetaModifier |
                                                 Qt::KeypadModifier;

struct ModifierFlag {
    Qt::KeyboardModifier qt;
    uint32_t control;
};

constexpr ModifierFlag kModifierFlags[] = {
    {Qt::ShiftModifier, hot_key_control::kShift},
    {Qt::ControlModifier, hot_key_control::kControl},
    {Qt::AltModifier, hot_key_control::kAlt},
    {Qt::MetaModifier, hot_key_control::kExtended},
};

}  // namespace

HotKeyEdit::HotKeyEdit(QWidget* parent) : QLineEdit(parent) {
    setContextMenuPolicy(Qt::NoContextMenu);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    ShowCombination();
}

void HotKeyEdit::SetCombination(QKeyCombination combination) {
    m_combination =
        QKeyCombination(combination.keyboardModifiers() & kKeptModifiers, combination.key());
    ShowCombination();
}

void HotKeyEdit::Clear() {
    SetCombination(QKeyCombination(Qt::Key_unknown));
}

bool HotKeyEdit::IsEmpty() const {
    return m_combination.key() == Qt::Key_unknown || m_combination.key() == Qt::Key(0);
}

HotKeyValue HotKeyEdit::Value() const {
    if (IsEmpty()) {
        return {};
    }
    const Qt::KeyboardModifiers modifiers = m_combination.keyboardModifiers();
    HotKeyValue value;
    value.key =
        VirtualKeyFromQtKey(QKeyCombination(modifiers & Qt::KeypadModifier, m_combination.key()));
    if (value.key == 0) {
        return {};
    }
    for (const ModifierFlag& flag : kModifierFlags) {
        if (modifiers.testFlag(flag.qt)) {
            value.modifiers |= flag.control;
        }
    }
    return value;
}

void HotKeyEdit::SetValue(HotKeyValue value) {
    const QKeyCombination key = QtKeyFromVirtualKey(value.key);
    if (value.key == 0 || key.key() == Qt::Key_unknown) {
        Clear();
        return;
    }
    Qt::KeyboardModifiers modifiers = key.keyboardModifiers();
    for (const ModifierFlag& flag : kModifierFlags) {
        if (value.modifiers & flag.control) {
            modifiers |= flag.qt;
        }
    }
    SetCombination(QKeyCombination(modifiers, key.key()));
}

bool HotKeyEdit::IsModifierKey(int key) {
    return key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt ||
           key == Qt::Key_Meta || key == Qt::Key_AltGr || key == Qt::Key_Super_L ||
           key == Qt::Key_Super_R;
}

bool HotKeyEdit::event(QEvent* event) {
    // Keep window shortcuts from taking the keys the user is recording.
    if (event->type() == QEvent::ShortcutOverride) {
        event->accept();
        return true;
    }
    return QLineEdit::event(event);
}

void HotKeyEdit::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    const Qt::KeyboardModifiers modifiers = event->modifiers() & kKeptModifiers;
    if ((key == Qt::Key_Tab || key == Qt::Key_Backtab) && modifiers == Qt::NoModifier) {
        QWidget::keyPressEvent(event);
        return;
    }
    if ((key == Qt::Key_Backspace || key == Qt::Key_Delete) && modifiers == Qt::NoModifier) {
        Clear();
        return;
    }
    if (IsModifierKey(key)) {
        setText(ModifierText(modifiers));
        return;
    }
    if (key == 0 || key == Qt::Key_unknown) {
        return;
    }
    SetCombination(QKeyCombination(modifiers, Qt::Key(key)));
}

void HotKeyEdit::keyReleaseEvent(QKeyEvent* event) {
    if (IsModifierKey(event->key())) {
        ShowCombination();
    }
}

void HotKeyEdit::focusOutEvent(QFocusEvent* event) {
    ShowCombination();
    QLineEdit::focusOutEvent(event);
}

void HotKeyEdit::ShowCombination() {
    setText(IsEmpty() ? tr("None")
                      : QKeySequence(m_combination).toString(QKeySequence::NativeText));
}

QString HotKeyEdit::ModifierText(Qt::KeyboardModifiers modifiers) {
    if (modifiers == Qt::NoModifier) {
        return tr("None");
    }
    return QKeySequence(QKeyCombination(modifiers, Qt::Key(0))).toString(QKeySequence::NativeText);
}

}  // namespace qrv
