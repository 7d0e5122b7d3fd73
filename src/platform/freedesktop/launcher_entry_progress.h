#pragma once

#include <QString>
#include <QVariantMap>
#include <cstdint>

#include "core/desktop/taskbar_progress.h"

namespace qrv {

// Progress on the program's dock entry through the launcher-entry D-Bus
// protocol: an "Update" signal naming the desktop file, with "progress"
// (0..1) and "progress-visible". Docks that do not listen simply ignore it;
// without a session bus nothing is sent.
class LauncherEntryProgress : public TaskbarProgress {
  public:
    static constexpr const char* kInterface = "com.canonical.Unity.LauncherEntry";
    static constexpr const char* kSignal = "Update";
    static constexpr const char* kObjectPath = "/com/canonical/unity/launcherentry/quorvane";

    explicit LauncherEntryProgress(
        const QString& desktopFileName = QStringLiteral("quorvane.desktop"));

    void SetState(TaskbarState state) override;
    void SetValue(uint64_t done, uint64_t total) override;

    QString AppUri() const { return m_appUri; }
    // The fraction shown for done of total: 0 without a total, at most 1.
    static double Fraction(uint64_t done, uint64_t total);

  private:
    bool Send(const QVariantMap& properties) const;

    QString m_appUri;
};

}  // namespace qrv
