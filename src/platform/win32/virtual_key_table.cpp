#include "platform/win32/virtual_key_table.h"

#include <windows.h>

#include <algorithm>
#include <array>

namespace qrv::win32 {

namespace {

struct Entry {
    uint32_t keysym;
    VirtualKey key;
};

// Sorted by keysym.
constexpr auto kKeys = std::to_array<Entry>({
    {0xff08, {VK_BACK}},                        // BackSpace
    {0xff09, {VK_TAB}},                         // Tab
    {0xff0b, {VK_CLEAR}},                       // Clear
    {0xff0d, {VK_RETURN}},                      // Return
    {0xff13, {VK_PAUSE}},                       // Pause
    {0xff14, {VK_SCROLL}},                      // Scroll_Lock
    {0xff1b, {VK_ESCAPE}},                      // Escape
    {0xff50, {VK_HOME, true}},                  // Home
    {0xff51, {VK_LEFT, true}},                  // Left
    {0xff52, {VK_UP, true}},                    // Up
    {0xff53, {VK_RIGHT, true}},                 // Right
    {0xff54, {VK_DOWN, true}},                  // Down
    {0xff55, {VK_PRIOR, true}},                 // Page_Up
    {0xff56, {VK_NEXT, true}},                  // Page_Down
    {0xff57, {VK_END, true}},                   // End
    {0xff60, {VK_SELECT}},                      // Select
    {0xff61, {VK_SNAPSHOT, true}},              // Print
    {0xff62, {VK_EXECUTE}},                     // Execute
    {0xff63, {VK_INSERT, true}},                // Insert
    {0xff67, {VK_APPS, true}},                  // Menu
    {0xff6a, {VK_HELP}},                        // Help
    {0xff6b, {VK_CANCEL, true}},                // Break
    {0xff7f, {VK_NUMLOCK, true}},               // Num_Lock
    {0xff80, {VK_SPACE}},                       // KP_Space
    {0xff89, {VK_TAB}},                         // KP_Tab
    {0xff8d, {VK_RETURN, true}},                // KP_Enter
    {0xff95, {VK_HOME}},                        // KP_Home
    {0xff96, {VK_LEFT}},                        // KP_Left
    {0xff97, {VK_UP}},                          // KP_Up
    {0xff98, {VK_RIGHT}},                       // KP_Right
    {0xff99, {VK_DOWN}},                        // KP_Down
    {0xff9a, {VK_PRIOR}},                       // KP_Page_Up
    {0xff9b, {VK_NEXT}},                        // KP_Page_Down
    {0xff9c, {VK_END}},                         // KP_End
    {0xff9d, {VK_CLEAR}},                       // KP_Begin
    {0xff9e, {VK_INSERT}},                      // KP_Insert
    {0xff9f, {VK_DELETE}},                      // KP_Delete
    {0xffaa, {VK_MULTIPLY}},                    // KP_Multiply
    {0xffab, {VK_ADD}},                         // KP_Add
    {0xffac, {VK_SEPARATOR}},                   // KP_Separator
    {0xffad, {VK_SUBTRACT}},                    // KP_Subtract
    {0xffae, {VK_DECIMAL}},                     // KP_Decimal
    {0xffaf, {VK_DIVIDE, true}},                // KP_Divide
    {0xffe1, {VK_LSHIFT}},                      // Shift_L
    {0xffe2, {VK_RSHIFT}},                      // Shift_R
    {0xffe3, {VK_LCONTROL}},                    // Control_L
    {0xffe4, {VK_RCONTROL, true}},              // Control_R
    {0xffe5, {VK_CAPITAL}},                     // Caps_Lock
    {0xffe9, {VK_LMENU}},                       // Alt_L
    {0xffea, {VK_RMENU, true}},                 // Alt_R
    {0xffeb, {VK_LWIN, true}},                  // Super_L
    {0xffec, {VK_RWIN, true}},                  // Super_R
    {0xffff, {VK_DELETE, true}},                // Delete
    {0x1008ff11, {VK_VOLUME_DOWN, true}},       // XF86AudioLowerVolume
    {0x1008ff12, {VK_VOLUME_MUTE, true}},       // XF86AudioMute
    {0x1008ff13, {VK_VOLUME_UP, true}},         // XF86AudioRaiseVolume
    {0x1008ff14, {VK_MEDIA_PLAY_PAUSE, true}},  // XF86AudioPlay
    {0x1008ff15, {VK_MEDIA_STOP, true}},        // XF86AudioStop
    {0x1008ff16, {VK_MEDIA_PREV_TRACK, true}},  // XF86AudioPrev
    {0x1008ff17, {VK_MEDIA_NEXT_TRACK, true}},  // XF86AudioNext
});
static_assert(std::ranges::is_sorted(kKeys, {}, &Entry::keysym));

// Keysyms of runs of keys whose codes follow each other.
constexpr uint32_t kKeypad0 = 0xffb0;  // KP_0 .. KP_9
constexpr uint32_t kF1 = 0xffbe;       // F1 .. F24
constexpr uint32_t kF24 = kF1 + 23;

}  // namespace

std::optional<VirtualKey> VirtualKeyForKeysym(uint32_t keysym) {
    if (keysym >= kKeypad0 && keysym <= kKeypad0 + 9) {
        return VirtualKey{uint16_t(VK_NUMPAD0 + (keysym - kKeypad0))};
    }
    if (keysym >= kF1 && keysym <= kF24) {
        return VirtualKey{uint16_t(VK_F1 + (keysym - kF1))};
    }
    const auto* it = std::ranges::lower_bound(kKeys, keysym, {}, &Entry::keysym);
    if (it == kKeys.end() || it->keysym != keysym) {
        return std::nullopt;
    }
    return it->key;
}

}  // namespace qrv::win32
