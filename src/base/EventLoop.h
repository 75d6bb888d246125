#pragma once

#include "base/LoopClock.h"
#include "base/MainThread.h"

#include <chrono>
#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

namespace listorix {

// A plain event loop for programs and tests without a toolkit: calls posted from
// any thread, run in order, and periodic timers, on the thread that serves it (the
// main thread). Its time comes from an injected clock. A call or timer callback
// that throws ends the serving call with that exception.
class EventLoop final : public MainThread
{
public:
    using TimerId = std::size_t;

    // The steady clock when none is given.
    explicit EventLoop(std::unique_ptr<LoopClock> clock = nullptr);
    ~EventLoop() override;
    EventLoop(const EventLoop&) = delete;
    EventLoop& operator=(const EventLoop&) = delete;

    void post(std::function<void()> call) override;
    void serveEventsUntil(const std::function<bool()>& done) override;

    // A timer, disabled, that calls `onTimeout` every `period` while enabled.
    TimerId addTimer(std::chrono::milliseconds period, std::function<void()> onTimeout);
    // Enabling (again) starts a full period from now; disabling drops a pending timeout.
    void setTimerEnabled(TimerId timer, bool enabled);
    bool timerEnabled(TimerId timer) const;

    // Serves events until quit() is called; returns at once when it already was.
    void run();
    // Any thread: ends run() after the event it is serving.
    void quit();
    bool quitRequested() const;

    // Serves what is pending now (posted calls, timers due now) without waiting;
    // the number of events served.
    std::size_t servePending();

    LoopClock& clock() { return *m_clock; }

private:
    enum class Wait
    {
        No,
        ForEvent,
        ForEventOrQuit,
    };
    struct Timer
    {
        std::chrono::milliseconds period;
        std::function<void()> onTimeout;
        bool enabled = false;
        LoopClock::TimePoint deadline{};
    };

    bool serveOne(Wait wait);
    Timer* nextTimer();

    std::unique_ptr<LoopClock> m_clock;
    std::vector<Timer> m_timers; // serving thread only
    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<std::function<void()>> m_posted;
    bool m_quit = false;
};

} // namespace listorix
