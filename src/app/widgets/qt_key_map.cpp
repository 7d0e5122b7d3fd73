#include "app/widgets/qt_key_map.h"

#include <algorithm>
#include <array>

namespace qrv {
namespace {

struct QtKeyMapping {
    uint32_t virtualKey;
    Qt::Key key;
    bool keypad;
};

constexpr auto kFixedKeys = std::to_array<QtKeyMapping>({
    {0x08, Qt::Key_Backspace, false},  {0x09, Qt::Key_Tab, false},
    {0x0D, Qt::Key_Return, false},     {0x13, Qt::Key_Pause, false},
    {0x1B, Qt::Key_Escape, false},     {0x20, Qt::Key_Space, false},
    {0x21, Qt::Key_PageUp, false},     {0x22, Qt::Key_PageDown, false},
    {0x23, Qt::Key_End, false},        {0x24, Qt::Key_Home, false},
    {0x25, Qt::Key_Left, false},       {0x26, Qt::Key_Up, false},
    {0x27, Qt::Key_Right, false},      {0x28, Qt::Key_Down, false},
    {0x2C, Qt::Key_Print, false},      {0x2D, Qt::Key_Insert, false},
    {0x2E, Qt::Key_Delete, false},     {0x6A, Qt::Key_Asterisk, true},
    {0x6B, Qt::Key_Plus, true},        {0x6C, Qt::Key_Comma, true},
    {0x6D, Qt::Key_Minus, true},       {0x6E, Qt::Key_Period, true},
    {0x6F, Qt::Key_Slash, true},       {0x91, Qt::Key_ScrollLock, false},
    {0xBA, Qt::Key_Semicolon, false},  {0xBB, Qt::Key_Equal, false},
    {0xBC, Qt::Key_Comma, false},      {0xBD, Qt::Key_Minus, false},
    {0xBE, Qt::Key_Period, false},     {0xBF, Qt::Key_Slash, false},
    {0xC0, Qt::Key_QuoteLeft, false},  {0xDB, Qt::Key_BracketLeft, false},
    {0xDC, Qt::Key_Backslash, false},  {0xDD, Qt::Key_BracketRight, false},
    {0xDE, Qt::Key_Apostrophe, false},
});

// Consecutive codes on both sides: digits, letters, keypad digits, F1-F24.
struct KeyRange {
    uint32_t virtualKey;
    int key;
    uint32_t count;
    bool keypad;
};
constexpr std::array<KeyRange, 4> kRanges{{
    {0x30, Qt::Key_0, 10, false},
    {0x41, Qt::Key_A, 26, false},
    {0x60, Qt::Key_0, 10, true},
    {0x70, Qt::Key_F1, 24, false},
}};

QKeyCombination Combination(Qt::Key key, bool keypad) {
    return keypad ? QKeyCombination(Qt::KeypadModifier, key) : QKeyCombination(key);
}

}  // namespace

QKeyCombination QtKeyFromVirtualKey(uint32_t virtualKey) {
    for (const KeyRange& r : kRanges) {
        if (virtualKey >= r.virtualKey && virtualKey < r.virtualKey + r.count) {
            return Combination(Qt::Key(r.key + int(virtualKey - r.virtualKey)), r.keypad);
        }
    }
    auto it = std::find_if(kFixedKeys.begin(), kFixedKeys.end(),
                           [&](const QtKeyMapping& m) { return m.virtualKey == virtualKey; });
    return it == kFixedKeys.end() ? QKeyCombination(Qt::Key_unknown)
                                  : Combination(it->key, it->keypad);
}

uint32_t VirtualKeyFromQtKey(QKeyCombination combination) {
    int key = combination.key();
    bool keypad = combination.keyboardModifiers().testFlag(Qt::KeypadModifier);
    if (key == Qt::Key_Enter) {
        return 0x0D;  // the keypad's Enter is Return as a virtual key
    }
    for (const KeyRange& r : kRanges) {
        if (r.keypad == keypad && key >= r.key && key < r.key + int(r.count)) {
            return r.virtualKey + uint32_t(key - r.key);
        }
    }
    auto it = std::find_if(kFixedKeys.begin(), kFixedKeys.end(), [&](const QtKeyMapping& m) {
        return m.key == key && m.keypad == keypad;
    });
    if (it == kFixedKeys.end() && keypad) {
        // Keypad navigation keys (NumLock off) act as the main ones.
        return VirtualKeyFromQtKey(QKeyCombination(Qt::Key(key)));
    }
    return it == kFixedKeys.end() ? 0 : it->virtualKey;
}

}  // namespace qrv
