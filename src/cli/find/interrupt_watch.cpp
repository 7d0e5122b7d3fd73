#include "cli/find/interrupt_watch.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <csignal>

#include "core/search/search_flags.h"

namespace qrv::cli {

namespace {

constexpr char kStop = 's';
constexpr char kQuit = 'q';

int g_pipe[2] = {-1, -1};
std::atomic<int> g_interrupts{0};

// Async-signal-safe only: an atomic counter, write() and _exit().
extern "C" void OnInterrupt(int signal) {
    if (g_interrupts.fetch_add(1) > 0) {
        _exit(128 + signal);
    }
    const char byte = kStop;
    [[maybe_unused]] const ssize_t written = write(g_pipe[1], &byte, 1);
}

void Handle(int signal, void (*handler)(int)) {
    struct sigaction action = {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(signal, &action, nullptr);
}

}  // namespace

InterruptWatch::InterruptWatch() {
    if (pipe2(g_pipe, O_CLOEXEC) != 0) {
        return;  // no watcher: the signals keep their default action
    }
    g_interrupts = 0;
    m_watcher = std::thread(&InterruptWatch::Watch, this);
    Handle(SIGINT, OnInterrupt);
    Handle(SIGTERM, OnInterrupt);
}

InterruptWatch::~InterruptWatch() {
    if (!m_watcher.joinable()) {
        return;
    }
    Handle(SIGINT, SIG_DFL);
    Handle(SIGTERM, SIG_DFL);
    const char byte = kQuit;
    [[maybe_unused]] const ssize_t written = write(g_pipe[1], &byte, 1);
    m_watcher.join();
    close(g_pipe[0]);
    close(g_pipe[1]);
    g_pipe[0] = g_pipe[1] = -1;
}

void InterruptWatch::Watch() {
    char byte = 0;
    while (read(g_pipe[0], &byte, 1) == 1 && byte != kQuit) {
        SetFlag(g_bAbortSearch, true);
    }
}

}  // namespace qrv::cli
