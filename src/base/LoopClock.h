#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace listorix {

// The time of the core's event loop, injected so that tests and benchmarks run
// the schedule's seconds without waiting for them.
class LoopClock
{
public:
    using TimePoint = std::chrono::steady_clock::time_point;

    virtual ~LoopClock() = default;

    virtual TimePoint now() const = 0;
    // Waits, `lock` held on entry and on return, until `deadline` has come on this
    // clock or `wake` is notified (a spurious return is allowed).
    virtual void waitUntil(std::condition_variable& wake, std::unique_lock<std::mutex>& lock,
                           TimePoint deadline) = 0;
};

// The machine's monotonic clock.
class SteadyLoopClock final : public LoopClock
{
public:
    TimePoint now() const override { return std::chrono::steady_clock::now(); }
    void waitUntil(std::condition_variable& wake, std::unique_lock<std::mutex>& lock,
                   TimePoint deadline) override
    {
        wake.wait_until(lock, deadline);
    }
};

// Time that never waits: waiting for a deadline moves the clock there at once. It
// starts at the steady clock's epoch. Main thread only.
class VirtualLoopClock final : public LoopClock
{
public:
    TimePoint now() const override { return m_now; }
    void waitUntil(std::condition_variable&, std::unique_lock<std::mutex>&, TimePoint deadline) override
    {
        if (deadline > m_now)
            m_now = deadline;
    }
    void advance(std::chrono::steady_clock::duration by) { m_now += by; }

private:
    TimePoint m_now{};
};

} // namespace listorix
