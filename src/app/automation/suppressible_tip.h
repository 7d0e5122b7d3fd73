#pragma once

#include <string>

#include <QString>

class QWidget;

namespace qrv {

class ProfileStore;

// An information message with a "Don't show this message again" box; once
// the user ticks it, the message stays away for good (a flag in the profile's
// "Settings" section under the tip's value name).
class SuppressibleTip {
  public:
    static constexpr const char* kSection = "Settings";

    SuppressibleTip(ProfileStore& store, std::string valueName)
        : m_store(store), m_valueName(std::move(valueName)) {}

    bool Suppressed() const;
    void Suppress();
    // Shows the message unless suppressed; records the box when ticked.
    void Show(QWidget* owner, const QString& title, const QString& text);

  private:
    ProfileStore& m_store;
    std::string m_valueName;
};

}  // namespace qrv
