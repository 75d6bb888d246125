#pragma once

#include "fetch/TickTimer.h"

#include <QTimer>

namespace listorix {

// Timer1 over a QTimer of one second, off until enabled; its timeout signal goes to
// whoever handles the tick.
class QtTickTimer final : public TickTimer
{
public:
    QtTickTimer()
    {
        m_timer.setInterval(1000);
        m_timer.setTimerType(Qt::CoarseTimer);
    }

    void setEnabled(bool enabled) override { enabled ? m_timer.start() : m_timer.stop(); }
    bool isEnabled() const { return m_timer.isActive(); }
    QTimer& timer() { return m_timer; }

private:
    QTimer m_timer;
};

} // namespace listorix
