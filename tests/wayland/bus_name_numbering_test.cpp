#include "platform/freedesktop/bus_name_numbering.h"

#include <gtest/gtest.h>

#include "platform/freedesktop/bus_daemon.h"
#include "platform/freedesktop/dbus_toggle_requests.h"
#include "platform/freedesktop/session_bus.h"

namespace qrv {
namespace {

// The instance numbers a window-less desktop hands out follow the bus names
// the running instances own: the lowest free one, gaps included.
TEST(BusNameNumberingTest, TakesTheLowestNumberNoInstanceOwns) {
    if (SessionBus::Connection() == nullptr) {
        GTEST_SKIP() << "needs a session bus (tests/wayland/with-sway.sh)";
    }
    // One process holds one toggle object: take the names themselves.
    const auto take = [](int32_t n) {
        return BusDaemon::RequestName(DBusToggleRequests::ServiceName(n)) ==
               BusDaemon::Claim::kOwned;
    };
    BusNameNumbering numbering;
    ASSERT_EQ(numbering.Number(), 1);
    ASSERT_TRUE(take(1));
    EXPECT_EQ(numbering.Number(), 2);
    ASSERT_TRUE(take(3));
    EXPECT_EQ(numbering.Number(), 2);  // the gap first
    ASSERT_TRUE(take(2));
    EXPECT_EQ(numbering.Number(), 4);
    BusDaemon::ReleaseName(DBusToggleRequests::ServiceName(1));
    EXPECT_EQ(numbering.Number(), 1);
    for (int32_t n : {2, 3}) {
        BusDaemon::ReleaseName(DBusToggleRequests::ServiceName(n));
    }
}

}  // namespace
}  // namespace qrv
