#pragma once

#include <QIODevice>
#include <QSettings>

namespace qrv {

// An INI format for QSettings that keeps section and key names as written
// ("[Instance 2]", "Start Key=0") instead of percent-encoding blanks. Only the
// characters that would break the line structure are encoded. Files written
// with it remain readable by the stock INI reader.
class VerbatimIniFormat {
  public:
    // Registered once per process.
    static QSettings::Format Format();

    static bool Read(QIODevice& device, QSettings::SettingsMap& map);
    static bool Write(QIODevice& device, const QSettings::SettingsMap& map);
};

}  // namespace qrv
