// Holds the file manager's D-Bus name on the session bus and appends each
// ShowItems and ShowItemProperties call, as "METHOD ADDRESS" lines, to the
// file given. Started by the test or, through a service file, by the bus.
//   fake_file_manager <record file>
#include <gio/gio.h>

#include <cstdio>

namespace {

const char* const kIntrospection =
    "<node><interface name='org.freedesktop.FileManager1'>"
    "<method name='ShowItems'><arg type='as' direction='in'/><arg type='s' direction='in'/>"
    "</method>"
    "<method name='ShowItemProperties'><arg type='as' direction='in'/>"
    "<arg type='s' direction='in'/></method></interface></node>";

void Record(GDBusConnection*, const char*, const char*, const char*, const char* method,
            GVariant* parameters, GDBusMethodInvocation* invocation, gpointer recordPath) {
    if (FILE* record = std::fopen(static_cast<const char*>(recordPath), "a")) {
        GVariantIter* uris = nullptr;
        const char* uri = nullptr;
        g_variant_get(parameters, "(ass)", &uris, nullptr);
        while (g_variant_iter_next(uris, "&s", &uri)) {
            std::fprintf(record, "%s %s\n", method, uri);
        }
        g_variant_iter_free(uris);
        std::fclose(record);
    }
    g_dbus_method_invocation_return_value(invocation, nullptr);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        return 1;
    }
    GDBusConnection* bus = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
    GDBusNodeInfo* node = g_dbus_node_info_new_for_xml(kIntrospection, nullptr);
    const GDBusInterfaceVTable vtable{&Record, nullptr, nullptr, {}};
    if (bus == nullptr ||
        g_dbus_connection_register_object(bus, "/org/freedesktop/FileManager1", node->interfaces[0],
                                          &vtable, argv[1], nullptr, nullptr) == 0) {
        std::fprintf(stderr, "cannot serve the file manager object\n");
        return 1;
    }
    GMainLoop* loop = g_main_loop_new(nullptr, FALSE);
    g_bus_own_name_on_connection(
        bus, "org.freedesktop.FileManager1", G_BUS_NAME_OWNER_FLAGS_NONE, nullptr,
        [](GDBusConnection*, const char*, gpointer loop) {
            g_main_loop_quit(static_cast<GMainLoop*>(loop));
        },
        loop, nullptr);
    // Never outlives a test run by much, even when the test dies.
    g_timeout_add_seconds(
        120,
        [](gpointer loop) {
            g_main_loop_quit(static_cast<GMainLoop*>(loop));
            return gboolean(G_SOURCE_REMOVE);
        },
        loop);
    g_main_loop_run(loop);
    return 0;
}
