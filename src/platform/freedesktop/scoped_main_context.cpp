#include "platform/freedesktop/scoped_main_context.h"

#include <glib.h>

namespace qrv {

ScopedMainContext::ScopedMainContext() : m_context(g_main_context_new()) {
    g_main_context_push_thread_default(m_context.get());
}

ScopedMainContext::~ScopedMainContext() {
    g_main_context_pop_thread_default(m_context.get());
    // Sources GIO still holds for calls that were given up are let go here.
    while (g_main_context_iteration(m_context.get(), FALSE)) {
    }
}

bool ScopedMainContext::RunUntil(const std::function<bool()>& done, int timeoutMs) {
    bool expired = false;
    const GSourcePtr timeout(g_timeout_source_new(guint(timeoutMs > 0 ? timeoutMs : 0)));
    g_source_set_callback(
        timeout.get(),
        [](gpointer flag) {
            *static_cast<bool*>(flag) = true;
            return gboolean(G_SOURCE_REMOVE);
        },
        &expired, nullptr);
    g_source_attach(timeout.get(), m_context.get());
    while (!done() && !expired) {
        g_main_context_iteration(m_context.get(), TRUE);
    }
    return done();
}

}  // namespace qrv
