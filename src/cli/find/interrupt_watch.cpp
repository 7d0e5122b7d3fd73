#include "cli/find/interrupt_watch.h"

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdlib>

namespace qrv::cli {

namespace {

constexpr auto kLookEvery = std::chrono::milliseconds(10);

std::atomic<int> g_interrupts{0};
static_assert(std::atomic<int>::is_always_lock_free);

extern "C" void OnInterrupt(int signal) {
    if (g_interrupts.fetch_add(1) > 0) {
        std::_Exit(128 + signal);
    }
}

}  // namespace

InterruptWatch::InterruptWatch(RunStop& stop) : m_stop(stop) {
    g_interrupts = 0;
    m_watcher = std::thread(&InterruptWatch::Watch, this);
    std::signal(SIGINT, OnInterrupt);
    std::signal(SIGTERM, OnInterrupt);
}

InterruptWatch::~InterruptWatch() {
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
    {
        std::lock_guard lock(m_mutex);
        m_quit = true;
    }
    m_wake.notify_one();
    m_watcher.join();
}

void InterruptWatch::Watch() {
    std::unique_lock lock(m_mutex);
    bool stopped = false;
    while (!m_wake.wait_for(lock, kLookEvery, [this] { return m_quit; })) {
        if (!stopped && g_interrupts.load() > 0) {
            m_stop.Request();
            stopped = true;
        }
    }
}

}  // namespace qrv::cli
