#pragma once

#include <string>

#include "core/desktop/automation_tree.h"

namespace qrv {

class AccessibilitySwitch;
class Beeper;
class CElementClicker;
class Clock;
class CTextSpeaker;
class DisplayLayout;
class ElementClicker;
class FilePrompts;
class GlobalHotKeys;
class ImageCodec;
class ImageFileWriter;
class InputInjector;
class NameChangeMonitor;
class Profile;
class ScreenSource;
class Shell;
class TaskbarProgress;
class ToggleRequests;
class TopLevelWindows;
class UserFolders;
class WindowActivator;

// Everything outside the windows that the application's commands use. The
// services outlive every window given them.
struct AppServices {
    Profile& profile;
    ScreenSource& screen;
    InputInjector& input;
    DisplayLayout& layout;
    Clock& clock;
    CTextSpeaker& speaker;
    Shell& shell;
    WindowActivator& activator;
    Beeper& beeper;
    ImageCodec& codec;
    ImageFileWriter& imageWriter;
    FilePrompts& prompts;
    UserFolders& folders;
    TopLevelWindows& windows;
    CElementClicker* automation;  // null: element commands only beep
    TaskbarProgress* taskbar;     // null: no progress shown
    GlobalHotKeys* hotKeys;       // null: no start/stop hot key
    ToggleRequests* toggles;      // null: no start/stop requests from other processes
    // The control browser's view of other applications; the tree opener is
    // empty and the monitor null where the desktop has no accessibility tree,
    // the switch null where it has no such switch.
    AutomationTreeFactory openTree;
    NameChangeMonitor* nameChanges;
    AccessibilitySwitch* accessibility;
    // The user's local data folder, under which the default picture folder lives.
    std::string localDataFolder;
};

}  // namespace qrv
