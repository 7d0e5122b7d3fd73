#pragma once

#include <QString>

class QWidget;

namespace qrv {

class AccessibilitySwitch;

// Tells the user when other applications' controls cannot be read because
// accessibility is off, its bus is missing or its tree cannot be opened, and
// offers to switch it on.
class AccessibilityPrompt {
  public:
    static const QString& NoBusText();
    static const QString& EnableFailedText();
    static const QString& NoTreeText();

    // True when accessibility is (now) on, or the desktop has no switch for it
    // (null); false after telling the user why not.
    static bool Check(QWidget* owner, AccessibilitySwitch* accessibility);
};

}  // namespace qrv
