#include "core/settings/profile.h"

#include <string>

namespace qrv {

Profile::Profile(ProfileStore& store, TopLevelWindows& windows, InstanceNumbering* numbering)
    : m_store(store), m_windows(windows), m_numbering(numbering) {}

int32_t Profile::InstanceNumber() {
    std::lock_guard lock(m_mutex);
    if (!m_instanceNumber) {
        const int32_t counted = CountInstanceWindows();
        m_instanceNumber = m_numbering ? m_numbering->Claim(counted) : counted;
    }
    return *m_instanceNumber;
}

// Our own window is not counted: it is neither shown nor titled yet when the
// number is first asked for.
int32_t Profile::CountInstanceWindows() {
    int32_t number = 1;
    for (const TopLevelWindow& window : m_windows.Enumerate()) {
        if (window.enabled && window.visible && !window.maximized && window.title == kAppName) {
            ++number;
        }
    }
    return number;
}

std::string Profile::GetInstanceSection() {
    return "Instance " + std::to_string(InstanceNumber() + 1);
}

int32_t Profile::GetInstanceInt(const std::string& key, int32_t def) {
    return m_store.GetInt(GetInstanceSection(), key, def);
}

bool Profile::WriteInstanceInt(const std::string& key, int32_t value) {
    return m_store.WriteInt(GetInstanceSection(), key, value);
}

std::string Profile::GetInstanceString(const std::string& key, const std::string& def) {
    return m_store.GetString(GetInstanceSection(), key, def);
}

bool Profile::WriteInstanceString(const std::string& key, const std::string& value) {
    return m_store.WriteString(GetInstanceSection(), key, value);
}

int32_t Profile::Get(const IntSetting& setting) {
    return m_store.GetInt(SectionName(setting.section), std::string(setting.key), setting.def);
}

bool Profile::Write(const IntSetting& setting, int32_t value) {
    return m_store.WriteInt(SectionName(setting.section), std::string(setting.key), value);
}

std::string Profile::Get(const StringSetting& setting) {
    return Get(setting, std::string(setting.def));
}

std::string Profile::Get(const StringSetting& setting, const std::string& def) {
    return m_store.GetString(SectionName(setting.section), std::string(setting.key), def);
}

bool Profile::Write(const StringSetting& setting, const std::string& value) {
    return m_store.WriteString(SectionName(setting.section), std::string(setting.key), value);
}

std::string Profile::SectionName(Section section) {
    switch (section) {
        case Section::Settings:
            return "Settings";
        case Section::ControlList:
            return "ControlList";
        case Section::Instance:
            break;
    }
    return GetInstanceSection();
}

}  // namespace qrv
