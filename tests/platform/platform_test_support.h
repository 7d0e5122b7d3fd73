#pragma once

#include <glib.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>
#include <cstdlib>
#include <functional>
#include <optional>
#include <string>

namespace qrv::test {

// The private desktop: an X display and a session bus.
inline bool HasDesktop() {
    return std::getenv("DISPLAY") && std::getenv("DBUS_SESSION_BUS_ADDRESS");
}

// The application object the Qt-driven platform code needs, made once.
inline void EnsureQtApp() {
    static int argc = 1;
    static char name[] = "platform_tests";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance())
        new QCoreApplication(argc, argv);
}

// Runs the thread's events until done() holds or limitMs pass; returns
// done(). The platform's own events come from the default GLib main context,
// which Qt's events (where there is an application object) run as well. The
// limit only bounds a failing test.
inline bool WaitUntil(const std::function<bool()>& done, int limitMs = 20000) {
    const QDeadlineTimer deadline(limitMs);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        if (QCoreApplication::instance())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        else
            g_main_context_iteration(nullptr, FALSE);
        QThread::msleep(5);
    }
    return true;
}

// Sets an environment variable (unsets it for null) for one scope and puts
// the old value back.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, const char* value) : m_name(name) {
        if (const char* old = std::getenv(name))
            m_old = old;
        Set(value);
    }
    ~ScopedEnv() { Set(m_old ? m_old->c_str() : nullptr); }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

  private:
    void Set(const char* value) { value ? ::setenv(m_name, value, 1) : ::unsetenv(m_name); }
    const char* m_name;
    std::optional<std::string> m_old;
};

}  // namespace qrv::test

#define QRV_SKIP_WITHOUT_DESKTOP() \
    if (!qrv::test::HasDesktop())  \
    GTEST_SKIP() << "needs the private desktop"
