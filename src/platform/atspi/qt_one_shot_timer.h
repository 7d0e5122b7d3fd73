#pragma once

#include <QTimer>

#include "core/desktop/one_shot_timer.h"

namespace qrv {

// A one-shot timer of the calling thread's Qt event loop.
class QtOneShotTimer : public OneShotTimer {
  public:
    QtOneShotTimer();
    void Start(uint32_t ms, std::function<void()> onTimeout) override;
    void Stop() override { m_timer.stop(); }

  private:
    QTimer m_timer;
    std::function<void()> m_onTimeout;
};

}  // namespace qrv
