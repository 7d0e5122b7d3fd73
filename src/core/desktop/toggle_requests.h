#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace qrv {

// Start/stop requests that other processes send to one running instance: the
// way to start and stop a search where no global hot key can be grabbed.
class ToggleRequests {
  public:
    using Handler = std::function<void()>;
    enum class SendResult { Sent, NoInstance, NoChannel };
    virtual ~ToggleRequests() = default;
    // Takes requests addressed to this instance number. Returns why it
    // cannot (another process already answers for the number, or there is
    // no bus), or an empty text when it takes them.
    virtual std::string Publish(int32_t instance) = 0;
    // Stops taking requests and frees the instance number for another process.
    virtual void Withdraw() = 0;
    // Called on the thread that owns the requests (the GUI thread) once per request.
    virtual void SetHandler(Handler handler) = 0;
    // Sends one request to the instance numbered `instance`, whichever
    // process runs it. Blocks until it answered or is known not to run.
    virtual SendResult Send(int32_t instance) = 0;
};

}  // namespace qrv
