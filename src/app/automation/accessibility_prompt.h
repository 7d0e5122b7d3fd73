#pragma once

#include <QString>

class QWidget;

namespace qrv {

class AccessibilitySwitch;

// Tells the user when other applications' controls cannot be read because
// accessibility is off or its bus is missing, and offers to switch it on.
class AccessibilityPrompt {
  public:
    static const QString& NoBusText();
    static const QString& EnableFailedText();

    // True when accessibility is (now) on; false after telling the user why not.
    static bool Check(QWidget* owner, AccessibilitySwitch& accessibility);
};

}  // namespace qrv
