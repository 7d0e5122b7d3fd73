#pragma once

#include <cstdint>
#include <functional>

namespace qrv {

// Hot key modifier flags as stored in the profile.
namespace hot_key_mod {
inline constexpr uint32_t kAlt = 1;
inline constexpr uint32_t kControl = 2;
inline constexpr uint32_t kShift = 4;
inline constexpr uint32_t kWin = 8;
}  // namespace hot_key_mod

// The ids the windows hold their hot keys by; one object serves them all.
namespace hot_key_id {
inline constexpr int kStartSearch = 1;  // the main window's start/stop key
inline constexpr int kAddColor = 2;     // the colours window's key
}  // namespace hot_key_id

// System-wide key combinations. Keys are Windows-compatible virtual-key codes
// so that stored profiles stay portable between backends.
class GlobalHotKeys {
  public:
    using Handler = std::function<void(int id)>;
    virtual ~GlobalHotKeys() = default;
    // Grabs the combination for `id`, replacing what `id` held. False when the
    // key is unknown or another client holds the combination.
    virtual bool Register(int id, uint32_t modifiers, uint32_t virtualKey) = 0;
    virtual void Unregister(int id) = 0;
    // `handler` is called with `id` on the thread that owns the hot keys (the
    // GUI thread) once per press of the combination `id` holds; an empty one
    // removes it. Each id has its own handler, so windows share one object.
    virtual void SetHandler(int id, Handler handler) = 0;
};

}  // namespace qrv
