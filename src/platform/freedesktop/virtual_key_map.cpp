#include "platform/freedesktop/virtual_key_map.h"

#include <X11/keysym.h>

#include <algorithm>
#include <array>

namespace qrv {
namespace {

constexpr auto kFixedKeys = std::to_array<VirtualKeyMapping>({
    {0x08, XK_BackSpace},   {0x09, XK_Tab},          {0x0D, XK_Return},     {0x13, XK_Pause},
    {0x1B, XK_Escape},      {0x20, XK_space},        {0x21, XK_Prior},      {0x22, XK_Next},
    {0x23, XK_End},         {0x24, XK_Home},         {0x25, XK_Left},       {0x26, XK_Up},
    {0x27, XK_Right},       {0x28, XK_Down},         {0x2C, XK_Print},      {0x2D, XK_Insert},
    {0x2E, XK_Delete},      {0x6A, XK_KP_Multiply},  {0x6B, XK_KP_Add},     {0x6C, XK_KP_Separator},
    {0x6D, XK_KP_Subtract}, {0x6E, XK_KP_Decimal},   {0x6F, XK_KP_Divide},  {0x91, XK_Scroll_Lock},
    {0xBA, XK_semicolon},   {0xBB, XK_equal},        {0xBC, XK_comma},      {0xBD, XK_minus},
    {0xBE, XK_period},      {0xBF, XK_slash},        {0xC0, XK_grave},      {0xDB, XK_bracketleft},
    {0xDC, XK_backslash},   {0xDD, XK_bracketright}, {0xDE, XK_apostrophe},
});

// Ranges of consecutive codes on both sides: digits, letters, keypad digits
// and the function keys.
struct KeyRange {
    uint32_t virtualKey;
    uint32_t keySym;
    uint32_t count;
};
constexpr std::array<KeyRange, 4> kRanges{{
    {0x30, XK_0, 10},
    {0x41, XK_a, 26},
    {0x60, XK_KP_0, 10},
    {0x70, XK_F1, 24},
}};

constexpr std::size_t kKeyCount = kFixedKeys.size() + 10 + 26 + 10 + 24;

constexpr std::array<VirtualKeyMapping, kKeyCount> BuildTable() {
    std::array<VirtualKeyMapping, kKeyCount> table{};
    std::size_t n = 0;
    for (const VirtualKeyMapping& m : kFixedKeys) {
        table[n++] = m;
    }
    for (const KeyRange& r : kRanges) {
        for (uint32_t i = 0; i < r.count; ++i) {
            table[n++] = {r.virtualKey + i, r.keySym + i};
        }
    }
    return table;
}

constexpr std::array<VirtualKeyMapping, kKeyCount> kTable = BuildTable();

}  // namespace

std::span<const VirtualKeyMapping> VirtualKeyMappings() {
    return kTable;
}

uint32_t KeySymFromVirtualKey(uint32_t virtualKey) {
    auto it = std::find_if(kTable.begin(), kTable.end(),
                           [&](const VirtualKeyMapping& m) { return m.virtualKey == virtualKey; });
    return it == kTable.end() ? 0 : it->keySym;
}

uint32_t VirtualKeyFromKeySym(uint32_t keySym) {
    if (keySym >= XK_A && keySym <= XK_Z) {
        keySym += XK_a - XK_A;
    }
    auto it = std::find_if(kTable.begin(), kTable.end(),
                           [&](const VirtualKeyMapping& m) { return m.keySym == keySym; });
    return it == kTable.end() ? 0 : it->virtualKey;
}

}  // namespace qrv
