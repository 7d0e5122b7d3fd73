#include "platform/freedesktop/launcher_entry_progress.h"

#include <gtest/gtest.h>

#include <gio/gio.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/freedesktop/glib_handles.h"
#include "platform_test_support.h"

namespace qrv {
namespace {

TEST(LauncherEntryProgressTest, FractionOfDoneOverTotal) {
    struct Case {
        uint64_t done, total;
        double fraction;
    };
    for (Case c : {Case{0, 0, 0.0}, Case{3, 0, 0.0}, Case{1, 4, 0.25}, Case{4, 4, 1.0},
                   Case{9, 4, 1.0}, Case{0, 7, 0.0}}) {
        EXPECT_DOUBLE_EQ(LauncherEntryProgress::Fraction(c.done, c.total), c.fraction)
            << c.done << "/" << c.total;
    }
}

// One update as a dock sees it.
struct Update {
    std::string appUri;
    std::optional<double> progress;
    bool visible = false;
    friend bool operator==(const Update&, const Update&) = default;
};

void Collect(GDBusConnection*, const char*, const char*, const char*, const char*,
             GVariant* parameters, gpointer updates) {
    const char* uri = nullptr;
    GVariant* properties = nullptr;
    g_variant_get(parameters, "(&s@a{sv})", &uri, &properties);
    const GVariantPtr owned(properties);
    Update update{uri, std::nullopt, false};
    double progress = 0;
    if (g_variant_lookup(properties, "progress", "d", &progress)) {
        update.progress = progress;
    }
    gboolean visible = FALSE;
    g_variant_lookup(properties, "progress-visible", "b", &visible);
    update.visible = visible;
    static_cast<std::vector<Update>*>(updates)->push_back(update);
}

TEST(LauncherEntryProgressTest, SignalsProgressAndItsVisibilityOnTheSessionBus) {
    const GRef<GDBusConnection> bus(g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr));
    if (!bus) {
        GTEST_SKIP() << "needs a session bus";
    }
    std::vector<Update> updates;
    const unsigned int subscription = g_dbus_connection_signal_subscribe(
        bus.get(), nullptr, LauncherEntryProgress::kInterface, LauncherEntryProgress::kSignal,
        LauncherEntryProgress::kObjectPath, nullptr, G_DBUS_SIGNAL_FLAGS_NONE, &Collect, &updates,
        nullptr);
    // A round trip: the bus has taken the subscription's match rule.
    EXPECT_NE(
        TakeVariant(g_dbus_connection_call_sync(
            bus.get(), "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
            "GetId", nullptr, nullptr, G_DBUS_CALL_FLAGS_NONE, 10000, nullptr, nullptr)),
        nullptr);
    LauncherEntryProgress progress;
    const std::string uri = "application://quorvane.desktop";
    progress.SetValue(1, 4);
    progress.SetState(TaskbarState::None);
    progress.SetState(TaskbarState::Indeterminate);
    const std::vector<Update> expected{
        {uri, 0.25, true}, {uri, 0.0, false}, {uri, std::nullopt, true}};
    EXPECT_TRUE(test::WaitUntil([&] { return updates.size() >= expected.size(); }));
    EXPECT_EQ(updates, expected);
    g_dbus_connection_signal_unsubscribe(bus.get(), subscription);
}

}  // namespace
}  // namespace qrv
