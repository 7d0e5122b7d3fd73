#pragma once

#include <QKeyCombination>

#include <cstdint>

namespace qrv {

// Windows-compatible virtual-key codes, as stored in profiles, and the Qt keys
// of the hot key editor. Keypad keys carry Qt::KeypadModifier; no other
// modifier takes part.

// The Qt key of a virtual key; Qt::Key_unknown when there is none.
QKeyCombination QtKeyFromVirtualKey(uint32_t virtualKey);
// The virtual key of a Qt key (modifiers other than the keypad one are
// ignored); 0 when there is none.
uint32_t VirtualKeyFromQtKey(QKeyCombination key);

}  // namespace qrv
