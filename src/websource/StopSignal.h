#pragma once

#include "base/LoopClock.h"

#include <condition_variable>
#include <mutex>

namespace listorix {

// A request to stop a worker's job, set from any thread; it wakes the worker at
// once when it waits.
class StopSignal final
{
public:
    StopSignal() = default;
    StopSignal(const StopSignal&) = delete;
    StopSignal& operator=(const StopSignal&) = delete;

    void stop();
    bool stopped() const;
    // Waits until `deadline` has come on `clock`; false, at once, when a stop
    // comes first.
    bool waitUntil(LoopClock& clock, LoopClock::TimePoint deadline) const;

private:
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_woken;
    bool m_stopped = false;
};

} // namespace listorix
