#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace listorix {

// A request to stop, set from any thread, that wakes a waiting worker at once.
class StopSignal final
{
public:
    StopSignal() = default;
    StopSignal(const StopSignal&) = delete;
    StopSignal& operator=(const StopSignal&) = delete;

    void stop();
    bool stopped() const;
    // Waits until `deadline`; false, at once, when a stop came first.
    bool waitUntil(std::chrono::steady_clock::time_point deadline) const;

private:
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_woken;
    bool m_stopped = false;
};

// Where the web source takes the time for its pacing from: injected, so that tests
// run the rate limits on a fake clock instead of waiting.
class WebClock
{
public:
    using TimePoint = std::chrono::steady_clock::time_point;

    virtual ~WebClock() = default;
    virtual TimePoint now() const = 0;
    // Waits until `deadline` (returns at once when it has passed); false when
    // `stop` came first.
    virtual bool sleepUntil(TimePoint deadline, const StopSignal& stop) = 0;
};

// The machine's monotonic clock.
class SteadyWebClock final : public WebClock
{
public:
    TimePoint now() const override { return std::chrono::steady_clock::now(); }
    bool sleepUntil(TimePoint deadline, const StopSignal& stop) override { return stop.waitUntil(deadline); }
};

} // namespace listorix
