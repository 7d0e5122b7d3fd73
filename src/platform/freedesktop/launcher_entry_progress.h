#pragma once

#include <cstdint>
#include <optional>
#include <string>

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

    explicit LauncherEntryProgress(const std::string& desktopFileName = "quorvane.desktop");

    void SetState(TaskbarState state) override;
    void SetValue(uint64_t done, uint64_t total) override;

    const std::string& AppUri() const { return m_appUri; }
    // The fraction shown for done of total: 0 without a total, at most 1.
    static double Fraction(uint64_t done, uint64_t total);

  private:
    bool Send(bool visible, std::optional<double> progress) const;

    std::string m_appUri;
};

}  // namespace qrv
