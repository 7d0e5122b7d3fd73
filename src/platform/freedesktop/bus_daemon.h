#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qrv {

// Questions to the session bus itself (org.freedesktop.DBus), each bounded by
// the bus's call timeout. Without a bus every answer is empty or false.
class BusDaemon {
  public:
    enum class Claim { kOwned, kTaken, kNoAnswer };

    // Whether a connection owns `name` now.
    static bool HasOwner(const std::string& name);
    // Whether the bus starts an owner of `name` on demand.
    static bool IsActivatable(const std::string& name);
    // Whether `name` can be reached: owned now or started on demand.
    static bool Reachable(const std::string& name);
    // Every name owned on the bus.
    static std::vector<std::string> Names();
    // Asks for `name` for this process, never waiting in the bus's queue.
    static Claim RequestName(const std::string& name);
    static void ReleaseName(const std::string& name);
    // The process that owns `name`, where the bus knows it.
    static std::optional<uint32_t> OwnerProcess(const std::string& name);
};

}  // namespace qrv
