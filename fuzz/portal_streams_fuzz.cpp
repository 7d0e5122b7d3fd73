// Reads arbitrary bytes as the stream list of a portal's Start answer
// (a(ua{sv}), serialised as on the bus): parsing must neither crash nor keep
// a stream whose monitor could not exist.
#include <glib.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "platform/portal/portal_session.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    GBytes* bytes = g_bytes_new(data, size);
    GVariant* streams =
        g_variant_ref_sink(g_variant_new_from_bytes(G_VARIANT_TYPE("a(ua{sv})"), bytes, FALSE));
    const std::vector<qrv::PortalSession::Stream> parsed =
        qrv::PortalSession::ParseStreams(streams);
    if (parsed.size() > 16) {
        std::abort();
    }
    for (const qrv::PortalSession::Stream& s : parsed) {
        const qrv::StreamGeometry& g = s.geometry;
        if (g.width <= 0 || g.height <= 0 || g.width > (1 << 16) || g.height > (1 << 16) ||
            (g.position &&
             (std::llabs(g.position->x) > (1 << 24) || std::llabs(g.position->y) > (1 << 24)))) {
            std::abort();
        }
    }
    g_variant_unref(streams);
    g_bytes_unref(bytes);
    return 0;
}
