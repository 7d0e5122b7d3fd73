#pragma once

#include <functional>

#include "platform/freedesktop/glib_handles.h"

namespace qrv {

// A fresh GLib main context, the calling thread's default for this object's
// life: the GIO calls started and the D-Bus signals subscribed meanwhile
// report to it alone, and it runs only while a caller waits on it. So a call
// can wait for its answer on any thread, with or without an event loop, and
// without running the thread's other events (the GUI's, where there are any).
class ScopedMainContext {
  public:
    ScopedMainContext();
    // Stops being the thread's default and dispatches what is still due.
    ~ScopedMainContext();
    ScopedMainContext(const ScopedMainContext&) = delete;
    ScopedMainContext& operator=(const ScopedMainContext&) = delete;

    // Runs the context until `done` holds or `timeoutMs` pass; whether `done` held.
    bool RunUntil(const std::function<bool()>& done, int timeoutMs);

  private:
    GMainContextPtr m_context;
};

}  // namespace qrv
