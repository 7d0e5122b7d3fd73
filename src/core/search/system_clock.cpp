#include "core/search/system_clock.h"

#include <chrono>
#include <thread>

#include "core/search/search_flags.h"

namespace qrv {

int64_t SystemClock::WallSeconds() {
    using namespace std::chrono;
    return duration_cast<seconds>(system_clock::now().time_since_epoch()).count();
}

uint64_t SystemClock::TickMs() {
    using namespace std::chrono;
    return uint64_t(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void SystemClock::SleepMs(uint32_t ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

void SystemClock::SleepMsUnlessSet(uint32_t ms, const std::atomic<int32_t>& flag) {
    WaitForFlag(flag, ms);
}

}  // namespace qrv
