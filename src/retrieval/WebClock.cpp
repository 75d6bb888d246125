#include "retrieval/WebClock.h"

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

bool StopSignal::waitUntil(std::chrono::steady_clock::time_point deadline) const
{
    std::unique_lock lock(m_mutex);
    return !m_woken.wait_until(lock, deadline, [this] { return m_stopped; });
}

} // namespace listorix
