#include "services/system_clock.h"

#include <chrono>
#include <ctime>
#include <thread>

namespace qrv {

int64_t SystemClock::WallSeconds() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    // Seconds since the epoch as the local clock reads them.
    return int64_t(now) + int64_t(local.tm_gmtoff);
}

uint64_t SystemClock::TickMs() {
    using namespace std::chrono;
    return uint64_t(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void SystemClock::SleepMs(uint32_t ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

}  // namespace qrv
