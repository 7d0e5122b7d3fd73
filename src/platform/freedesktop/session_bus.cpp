#include "platform/freedesktop/session_bus.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <gio/gio.h>
#include <chrono>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <optional>
#include <string_view>

#include "platform/desktop_platform.h"
#include "platform/freedesktop/scoped_main_context.h"

namespace qrv {
namespace {

// Libdbus, GDBus and Qt all fail at once on an address of no known kind.
const char* const kLeftAlone = "disabled:";

struct UnixEndpoint {
    sockaddr_un address{};
    socklen_t length = 0;
};

std::string Unescaped(std::string_view value) {
    std::string out;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '%' && i + 2 < value.size()) {
            out += char(std::strtol(std::string(value.substr(i + 1, 2)).c_str(), nullptr, 16));
            i += 2;
        } else {
            out += value[i];
        }
    }
    return out;
}

// The socket of a "unix:path=…" or "unix:abstract=…" entry of an address
// list; nothing for entries of other kinds, which are not checked.
std::optional<UnixEndpoint> EndpointOf(std::string_view entry) {
    constexpr std::string_view kUnix = "unix:";
    if (!entry.starts_with(kUnix)) {
        return std::nullopt;
    }
    entry.remove_prefix(kUnix.size());
    while (!entry.empty()) {
        const std::size_t comma = entry.find(',');
        const std::string_view pair = entry.substr(0, comma);
        entry = comma == std::string_view::npos ? std::string_view() : entry.substr(comma + 1);
        const std::size_t equals = pair.find('=');
        const std::string_view key = pair.substr(0, equals);
        if (equals == std::string_view::npos || (key != "path" && key != "abstract")) {
            continue;
        }
        const std::string name = Unescaped(pair.substr(equals + 1));
        UnixEndpoint endpoint;
        endpoint.address.sun_family = AF_UNIX;
        const std::size_t start = key == "abstract" ? 1 : 0;  // abstract names start with a NUL
        if (name.empty() || start + name.size() >= sizeof endpoint.address.sun_path) {
            return std::nullopt;
        }
        name.copy(endpoint.address.sun_path + start, name.size());
        endpoint.length =
            socklen_t(offsetof(sockaddr_un, sun_path) + start + name.size() + (start == 0 ? 1 : 0));
        return endpoint;
    }
    return std::nullopt;
}

// Whether a bus listening at `endpoint` answers the first line of the
// handshake in time; nothing when nothing listens there at all.
std::optional<bool> Answers(const UnixEndpoint& endpoint) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) {
        return std::nullopt;
    }
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&endpoint.address), endpoint.length) != 0) {
        // A full queue of connections waiting to be accepted: no one accepts them.
        return errno == EAGAIN ? std::optional<bool>(false) : std::nullopt;
    }
    char uid[16];
    std::snprintf(uid, sizeof uid, "%u", unsigned(::getuid()));
    std::string hello(1, '\0');
    hello += "AUTH EXTERNAL ";
    for (const char* c = uid; *c; ++c) {
        char hex[3];
        std::snprintf(hex, sizeof hex, "%02x", unsigned(*c));
        hello += hex;
    }
    hello += "\r\n";
    if (::send(fd, hello.data(), hello.size(), MSG_NOSIGNAL) != ssize_t(hello.size())) {
        return std::nullopt;
    }
    // Any answer, or the bus hanging up, ends the wait: only silence blocks.
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(SessionBus::kHandshakeTimeoutMs);
    for (auto now = Clock::now(); now < deadline; now = Clock::now()) {
        pollfd wait{fd, POLLIN, 0};
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - now);
        if (::poll(&wait, 1, int(left.count()) + 1) > 0) {
            return true;
        }
    }
    return false;
}

std::string Address() {
    if (const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS"); address && *address) {
        return address;
    }
    // Where the libraries look when no address is set.
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    return runtime && *runtime ? std::string("unix:path=") + runtime + "/bus" : std::string();
}

// Tries the entries of the address list in order, as the libraries do: the
// first one that something listens on decides.
std::string CheckNow() {
    const std::string address = Address();
    std::string_view rest = address;
    while (!rest.empty()) {
        const std::size_t semicolon = rest.find(';');
        const std::optional<UnixEndpoint> endpoint = EndpointOf(rest.substr(0, semicolon));
        if (!endpoint) {
            return {};
        }
        if (const std::optional<bool> answers = Answers(*endpoint)) {
            if (*answers) {
                return {};
            }
            ::setenv("DBUS_SESSION_BUS_ADDRESS", kLeftAlone, 1);
            return "the session bus (" + address + ") does not answer";
        }
        rest =
            semicolon == std::string_view::npos ? std::string_view() : rest.substr(semicolon + 1);
    }
    return {};
}

// The process's connection to the bus, or why there is none.
struct Reached {
    GRef<GDBusConnection> bus;
    std::string problem;  // empty where nothing answers at all
};

// A connection of this process's own to the bus at `address`; none when the
// bus does not let it in within the handshake's time.
Reached Connect(const std::string& address) {
    if (address.empty()) {
        return {};
    }
    struct Attempt {
        bool done = false;
        GDBusConnection* connection = nullptr;
    } attempt;
    const GRef<GCancellable> cancel(g_cancellable_new());
    ScopedMainContext context;
    g_dbus_connection_new_for_address(
        address.c_str(),
        GDBusConnectionFlags(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                             G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
        nullptr, cancel.get(),
        [](GObject*, GAsyncResult* result, gpointer data) {
            auto* attempt = static_cast<Attempt*>(data);
            attempt->connection = g_dbus_connection_new_for_address_finish(result, nullptr);
            attempt->done = true;
        },
        &attempt);
    if (context.RunUntil([&] { return attempt.done; }, SessionBus::kHandshakeTimeoutMs)) {
        return {GRef<GDBusConnection>(attempt.connection), {}};
    }
    // Parts of the handshake cannot be cancelled; their late answer goes to
    // the context left behind, which no one runs any more.
    g_cancellable_cancel(cancel.get());
    return {nullptr, "the session bus (" + address + ") does not let this process in"};
}

const Reached& Reach() {
    static std::once_flag once;
    static Reached reached;
    std::call_once(once, [] {
        reached =
            SessionBus::Check().empty() ? Connect(Address()) : Reached{{}, SessionBus::Check()};
    });
    return reached;
}

}  // namespace

const std::string& SessionBus::Check() {
    static std::once_flag once;
    static std::string problem;
    std::call_once(once, [] { problem = CheckNow(); });
    return problem;
}

GDBusConnection* SessionBus::Connection() {
    return Reach().bus.get();
}

std::string SessionBus::Missing() {
    return Reach().problem.empty() ? "there is no session bus" : Reach().problem;
}

GVariantPtr SessionBus::Call(const char* service, const char* path, const char* interface,
                             const char* method, GVariant* parameters, const char* replyType,
                             int timeoutMs) {
    const GVariantPtr arguments = TakeVariant(parameters);
    GDBusConnection* bus = Connection();
    if (bus == nullptr) {
        return nullptr;
    }
    return GVariantPtr(
        g_dbus_connection_call_sync(bus, service, path, interface, method, arguments.get(),
                                    replyType ? G_VARIANT_TYPE(replyType) : nullptr,
                                    G_DBUS_CALL_FLAGS_NONE, timeoutMs, nullptr, nullptr));
}

std::string CheckSessionBus() {
    return SessionBus::Check();
}

std::string SessionBusProblem() {
    return Reach().problem;
}

}  // namespace qrv
