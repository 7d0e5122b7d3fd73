#pragma once

#include <QString>
#include <QWidget>

namespace qrv {

// Dialogs name every control that is looked up later, and it is found by that
// name. A control with a numeric identifier is named "ctl<id>".
inline QString ControlName(int id) {
    return QStringLiteral("ctl%1").arg(id);
}

// The control of `dialog` with that name, or null when none of type T has it.
template <typename T = QWidget>
T* FindControl(const QObject* dialog, const QString& name) {
    return dialog->findChild<T*>(name);
}

template <typename T = QWidget>
T* FindControl(const QObject* dialog, int id) {
    return FindControl<T>(dialog, ControlName(id));
}

}  // namespace qrv
