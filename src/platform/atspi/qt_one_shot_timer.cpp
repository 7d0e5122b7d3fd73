#include "platform/atspi/qt_one_shot_timer.h"

#include "core/automation/timer_period.h"

namespace qrv {

QtOneShotTimer::QtOneShotTimer() {
    m_timer.setSingleShot(true);
    QObject::connect(&m_timer, &QTimer::timeout, [this] {
        // The handler may start the timer again, replacing m_onTimeout.
        const std::function<void()> onTimeout = m_onTimeout;
        if (onTimeout) {
            onTimeout();
        }
    });
}

void QtOneShotTimer::Start(uint32_t ms, std::function<void()> onTimeout) {
    m_onTimeout = std::move(onTimeout);
    m_timer.start(TimerPeriodMs(ms));
}

}  // namespace qrv
