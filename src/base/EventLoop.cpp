#include "base/EventLoop.h"

#include <utility>

namespace listorix {

EventLoop::EventLoop(std::unique_ptr<LoopClock> clock)
    : m_clock(clock ? std::move(clock) : std::make_unique<SteadyLoopClock>())
{
}

EventLoop::~EventLoop() = default;

void EventLoop::post(std::function<void()> call)
{
    {
        std::lock_guard lock(m_mutex);
        m_posted.push_back(std::move(call));
    }
    m_wake.notify_one();
}

void EventLoop::serveEventsUntil(const std::function<bool()>& done)
{
    while (!done())
        serveOne(Wait::ForEvent);
}

EventLoop::TimerId EventLoop::addTimer(std::chrono::milliseconds period, std::function<void()> onTimeout)
{
    m_timers.push_back(Timer{period, std::move(onTimeout)});
    return m_timers.size() - 1;
}

void EventLoop::setTimerEnabled(TimerId timer, bool enabled)
{
    Timer& t = m_timers.at(timer);
    t.enabled = enabled;
    if (enabled)
        t.deadline = m_clock->now() + t.period;
}

bool EventLoop::timerEnabled(TimerId timer) const
{
    return m_timers.at(timer).enabled;
}

void EventLoop::run()
{
    while (!quitRequested())
        serveOne(Wait::ForEventOrQuit);
}

void EventLoop::quit()
{
    {
        std::lock_guard lock(m_mutex);
        m_quit = true;
    }
    m_wake.notify_all();
}

bool EventLoop::quitRequested() const
{
    std::lock_guard lock(m_mutex);
    return m_quit;
}

std::size_t EventLoop::servePending()
{
    std::size_t served = 0;
    while (serveOne(Wait::No))
        ++served;
    return served;
}

EventLoop::Timer* EventLoop::nextTimer()
{
    Timer* next = nullptr;
    for (Timer& timer : m_timers) {
        if (timer.enabled && (!next || timer.deadline < next->deadline))
            next = &timer;
    }
    return next;
}

bool EventLoop::serveOne(Wait wait)
{
    std::function<void()> call;
    {
        std::unique_lock lock(m_mutex);
        while (true) {
            if (!m_posted.empty()) {
                call = std::move(m_posted.front());
                m_posted.pop_front();
                break;
            }
            Timer* timer = nextTimer();
            if (timer && m_clock->now() >= timer->deadline) {
                timer->deadline = m_clock->now() + timer->period;
                call = timer->onTimeout;
                break;
            }
            if (wait == Wait::No || (wait == Wait::ForEventOrQuit && m_quit))
                return false;
            if (timer)
                m_clock->waitUntil(m_wake, lock, timer->deadline);
            else
                m_wake.wait(lock);
            if (wait == Wait::ForEventOrQuit && m_quit)
                return false;
        }
    }
    if (call)
        call();
    return true;
}

} // namespace listorix
