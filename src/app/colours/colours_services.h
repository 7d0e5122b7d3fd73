#pragma once

namespace qrv {

struct AppServices;
class Beeper;
class Clock;
class InputInjector;
class ProfileStore;
class ScreenSource;
class Shell;
class UserFolders;

// What the unique-colours dialog reaches outside itself.
struct ColoursServices {
    ProfileStore& store;  // the column widths
    ScreenSource& screen;
    InputInjector* cursor;  // null: the cursor position cannot be read
    Beeper& beeper;
    Shell& shell;
    Clock& clock;
    UserFolders& folders;  // where exports go

    static ColoursServices From(AppServices& services);
};

}  // namespace qrv
