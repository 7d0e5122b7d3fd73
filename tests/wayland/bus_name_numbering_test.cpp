#include "platform/freedesktop/bus_name_numbering.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDBusConnection>

#include "platform/freedesktop/dbus_toggle_requests.h"

namespace qrv {
namespace {

// The instance numbers a window-less desktop hands out follow the bus names
// the running instances own: the lowest free one, gaps included.
TEST(BusNameNumberingTest, TakesTheLowestNumberNoInstanceOwns) {
    if (!QDBusConnection::sessionBus().isConnected()) {
        GTEST_SKIP() << "needs a session bus (tests/wayland/with-sway.sh)";
    }
    // One process holds one toggle object: take the names themselves.
    QDBusConnection bus = QDBusConnection::sessionBus();
    const auto take = [&](int32_t n) {
        return bus.registerService(DBusToggleRequests::ServiceName(n));
    };
    BusNameNumbering numbering;
    ASSERT_EQ(numbering.Number(), 1);
    ASSERT_TRUE(take(1));
    EXPECT_EQ(numbering.Number(), 2);
    ASSERT_TRUE(take(3));
    EXPECT_EQ(numbering.Number(), 2);  // the gap first
    ASSERT_TRUE(take(2));
    EXPECT_EQ(numbering.Number(), 4);
    bus.unregisterService(DBusToggleRequests::ServiceName(1));
    EXPECT_EQ(numbering.Number(), 1);
    for (int32_t n : {2, 3}) {
        bus.unregisterService(DBusToggleRequests::ServiceName(n));
    }
}

}  // namespace
}  // namespace qrv
