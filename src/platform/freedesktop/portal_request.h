#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "platform/freedesktop/glib_handles.h"

namespace qrv {

// One call of a desktop portal method whose answer comes later as the
// Response signal of a Request object: the call gets a fresh handle token
// and the caller waits for the answer on a main context of its own, so it
// works on any thread, with or without an event loop, and runs nothing else
// meanwhile.
class PortalRequest {
  public:
    static const char* const kService;
    static const char* const kPath;

    // Named options of a call (a{sv}); the values may be floating, and are consumed.
    using Options = std::vector<std::pair<const char*, GVariant*>>;

    PortalRequest() = default;
    PortalRequest(const PortalRequest&) = delete;
    PortalRequest& operator=(const PortalRequest&) = delete;

    // Calls `method` of `interface` with `arguments` (floating values,
    // consumed) and then `options`; false when the portal refuses, answers
    // with a code other than 0 or does not answer within `timeoutMs`.
    bool Call(const char* interface, const char* method, std::vector<GVariant*> arguments,
              Options options, int timeoutMs);
    // The response code of the last call (1: cancelled, 2: failed; 0 when it
    // succeeded or went unanswered).
    uint32_t Code() const { return m_answered ? m_code : 0; }
    // The result `key` of the last answer when it has the type `type`; null
    // when it is missing or of another type.
    GVariantPtr Result(const char* key, const char* type) const;
    // A handle among the results, which some portals give as an object path
    // and others as a string; empty when it is neither or no object path.
    std::string Handle(const char* key) const;

    // Closes a portal session; nothing when `session` is empty.
    static void CloseSession(const std::string& session);
    // Whether the portal on the session bus offers `interface` (the portal
    // is started on demand: an activatable one counts).
    static bool Offers(const char* interface);
    // The `version` property of the portal's `interface`; 0 when unknown.
    static uint32_t Version(const char* interface);

  private:
    bool m_answered = false;
    uint32_t m_code = 0;
    GVariantPtr m_results;
};

}  // namespace qrv
