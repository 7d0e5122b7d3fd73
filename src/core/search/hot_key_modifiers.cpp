#include "core/search/hot_key_modifiers.h"

#include <array>
#include <utility>

#include "core/desktop/global_hot_keys.h"

namespace qrv {

namespace {

// Pairs of (stored flag, control flag).
constexpr std::array<std::pair<uint32_t, uint32_t>, 4> kModifierPairs{{
    {hot_key_mod::kAlt, hot_key_control::kAlt},
    {hot_key_mod::kControl, hot_key_control::kControl},
    {hot_key_mod::kShift, hot_key_control::kShift},
    {hot_key_mod::kWin, hot_key_control::kExtended},
}};

}  // namespace

uint32_t StoredToControlModifiers(uint32_t stored) {
    uint32_t control = 0;
    for (const auto& [storedFlag, controlFlag] : kModifierPairs) {
        if (stored & storedFlag) {
            control |= controlFlag;
        }
    }
    return control;
}

uint32_t ControlToStoredModifiers(uint32_t control) {
    uint32_t stored = 0;
    for (const auto& [storedFlag, controlFlag] : kModifierPairs) {
        if (control & controlFlag) {
            stored |= storedFlag;
        }
    }
    return stored;
}

}  // namespace qrv
