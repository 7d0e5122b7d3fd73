#include "platform/desktop_platform.h"

#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "platform/backend_table.h"

namespace qrv {

namespace {

const Backend* Named(std::string_view name) {
    for (const Backend* backend : ConfiguredBackendTable()) {
        if (name == backend->name) {
            return backend;
        }
    }
    return nullptr;
}

// QRV_PLATFORM's value; null when unset or empty.
const char* Wanted() {
    const char* wanted = std::getenv("QRV_PLATFORM");
    return wanted && *wanted ? wanted : nullptr;
}

bool AnyFits() {
    for (const Backend* backend : ConfiguredBackendTable()) {
        if (backend->fitsSession()) {
            return true;
        }
    }
    return false;
}

// No backend saw signs of its desktop: the hints of all of them, since
// nothing tells which desktop the user meant.
std::string NoSessionText() {
    std::string text = "no desktop session found (";
    for (const Backend* backend : ConfiguredBackendTable()) {
        text += std::string(backend == ConfiguredBackendTable().front() ? "" : "; ") +
                backend->name + ": " + backend->unreachableHint;
    }
    return text + ")";
}

// QRV_PLATFORM's backend when it names one; else the first that recognises
// the session; else the first configured, which then opens without a session.
const Backend& Chosen() {
    if (const char* wanted = Wanted()) {
        if (const Backend* backend = Named(wanted)) {
            return *backend;
        }
        std::fprintf(stderr, "QRV_PLATFORM=%s is not one of this build's desktops (%s)\n", wanted,
                     ConfiguredBackends().c_str());
    }
    for (const Backend* backend : ConfiguredBackendTable()) {
        if (backend->fitsSession()) {
            return *backend;
        }
    }
    return *ConfiguredBackendTable().front();
}

}  // namespace

std::unique_ptr<DesktopPlatform> OpenDesktopPlatform(PlatformReach reach) {
    CheckSessionBus();  // before a backend looks for its desktop on the bus
    std::unique_ptr<DesktopPlatform> platform = Chosen().open(reach);
    if (reach == PlatformReach::kSession && !platform->HasSession() &&
        platform->sessionFailure == SessionFailure::kNone) {
        platform->sessionFailure = SessionFailure::kUnreachable;
    }
    return platform;
}

std::string SessionFailureText(const DesktopPlatform& platform) {
    switch (platform.sessionFailure) {
        case SessionFailure::kNone:
            break;
        case SessionFailure::kDeclined:
            return "the desktop declined screen access";
        case SessionFailure::kUnreachable: {
            if (!Wanted() && !AnyFits()) {
                return NoSessionText();
            }
            const Backend* backend = Named(platform.name);
            return "cannot reach the " + platform.name + " desktop" +
                   (backend ? std::string(" (") + backend->unreachableHint + ")" : "");
        }
    }
    return {};
}

std::string ConfiguredBackends() {
    std::string names;
    for (const Backend* backend : ConfiguredBackendTable()) {
        names += names.empty() ? "" : ", ";
        names += backend->name;
    }
    return names;
}

}  // namespace qrv
