#include "platform/wayland_client/compositor_keymap.h"

#include <sys/mman.h>
#include <wayland-client.h>

#include <cstring>
#include <memory>

#include "platform/settings/file_descriptor.h"
#include "platform/wayland_client/wayland_display.h"

namespace qrv {
namespace {

// Real keymaps are some tens of kilobytes.
constexpr uint32_t kMaxKeymapBytes = 1 << 20;
constexpr int kAnswerMs = 3000;

struct SeatDeleter {
    void operator()(wl_seat* seat) const { wl_seat_destroy(seat); }
};
struct KeyboardDeleter {
    void operator()(wl_keyboard* keyboard) const { wl_keyboard_destroy(keyboard); }
};

struct Mapping {
    void* address = MAP_FAILED;
    std::size_t size = 0;
    Mapping(int fd, std::size_t bytes)
        : address(mmap(nullptr, bytes, PROT_READ, MAP_PRIVATE, fd, 0)), size(bytes) {}
    ~Mapping() {
        if (address != MAP_FAILED) {
            munmap(address, size);
        }
    }
    Mapping(const Mapping&) = delete;
    Mapping& operator=(const Mapping&) = delete;
};

struct Answers {
    bool capabilitiesCame = false;
    uint32_t capabilities = 0;
    std::string keymap;
};

void OnCapabilities(void* data, wl_seat*, uint32_t capabilities) {
    auto* answers = static_cast<Answers*>(data);
    answers->capabilitiesCame = true;
    answers->capabilities = capabilities;
}

void OnKeymap(void* data, wl_keyboard*, uint32_t format, int32_t fd, uint32_t size) {
    const FileDescriptor owned(fd);
    auto* answers = static_cast<Answers*>(data);
    if (format != WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1 || size == 0 || size > kMaxKeymapBytes) {
        return;
    }
    const Mapping map(fd, size);
    if (map.address != MAP_FAILED) {
        const char* text = static_cast<const char*>(map.address);
        answers->keymap.assign(text, strnlen(text, size));
    }
}

}  // namespace

std::string CompositorKeymap(WaylandDisplay& display) {
    static const wl_seat_listener kSeatListener{.capabilities = &OnCapabilities,
                                                .name = [](void*, wl_seat*, const char*) {}};
    static const wl_keyboard_listener kKeyboardListener{
        .keymap = &OnKeymap,
        .enter = [](void*, wl_keyboard*, uint32_t, wl_surface*, wl_array*) {},
        .leave = [](void*, wl_keyboard*, uint32_t, wl_surface*) {},
        .key = [](void*, wl_keyboard*, uint32_t, uint32_t, uint32_t, uint32_t) {},
        .modifiers = [](void*, wl_keyboard*, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t) {},
        .repeat_info = nullptr};
    Answers answers;
    // A seat of its own, whose capabilities this listener hears.
    const std::unique_ptr<wl_seat, SeatDeleter> seat(
        static_cast<wl_seat*>(display.Bind(wl_seat_interface, 1)));
    if (!seat) {
        return {};
    }
    wl_seat_add_listener(seat.get(), &kSeatListener, &answers);
    if (!display.DispatchUntil([&] { return answers.capabilitiesCame; }, kAnswerMs) ||
        !(answers.capabilities & WL_SEAT_CAPABILITY_KEYBOARD)) {
        return {};
    }
    const std::unique_ptr<wl_keyboard, KeyboardDeleter> keyboard(wl_seat_get_keyboard(seat.get()));
    wl_keyboard_add_listener(keyboard.get(), &kKeyboardListener, &answers);
    // The keymap comes with the keyboard, before the answer to a sync, and
    // not at all while no keyboard of the seat is in use (wlroots).
    display.Sync(kAnswerMs);
    return answers.keymap;
}

}  // namespace qrv
