#include "http/CloseSignal.h"

namespace listorix {

void CloseSignal::close()
{
    std::unique_lock lock(m_mutex);
    m_closeRequested.store(true, std::memory_order_release);
    m_wake.wake();
    if (m_running && m_runner == std::this_thread::get_id())
        return; // waiting here would wait for ourselves
    m_idle.wait(lock, [this] { return !m_running; });
}

bool CloseSignal::tryBegin()
{
    std::lock_guard lock(m_mutex);
    if (m_running)
        return false;
    m_running = true;
    m_runner = std::this_thread::get_id();
    return true;
}

void CloseSignal::end()
{
    {
        std::lock_guard lock(m_mutex);
        m_running = false;
        m_runner = {};
        m_closeRequested.store(false, std::memory_order_release);
        m_wake.drain();
    }
    m_idle.notify_all();
}

} // namespace listorix
