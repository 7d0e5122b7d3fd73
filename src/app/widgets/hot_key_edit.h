#pragma once

#include <QKeyCombination>
#include <QLineEdit>

#include "core/search/search_view.h"

namespace qrv {

// An edit that records one key with its modifiers, the way a hot key control
// does: typing a combination replaces the previous one, Backspace or Delete
// alone clears it, Tab moves on. Shows "None" when empty.
class HotKeyEdit : public QLineEdit {
    Q_OBJECT

  public:
    explicit HotKeyEdit(QWidget* parent = nullptr);

    // Qt::Key_unknown as key means no combination.
    QKeyCombination Combination() const { return m_combination; }
    void SetCombination(QKeyCombination combination);
    void Clear();
    bool IsEmpty() const;

    // The combination as virtual-key code and hot key control modifier flags.
    HotKeyValue Value() const;
    void SetValue(HotKeyValue value);

    static bool IsModifierKey(int key);

  protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    void ShowCombination();
    static QString ModifierText(Qt::KeyboardModifiers modifiers);

    QKeyCombination m_combination{Qt::Key_unknown};
};

}  // namespace qrv
