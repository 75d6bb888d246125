#include "websource/StopSignal.h"

namespace listorix {

void StopSignal::stop()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stopped = true;
    }
    m_woken.notify_all();
}

bool StopSignal::stopped() const
{
    const std::lock_guard lock(m_mutex);
    return m_stopped;
}

bool StopSignal::waitUntil(LoopClock& clock, LoopClock::TimePoint deadline) const
{
    std::unique_lock lock(m_mutex);
    while (!m_stopped && clock.now() < deadline)
        clock.waitUntil(m_woken, lock, deadline);
    return !m_stopped;
}

} // namespace listorix
