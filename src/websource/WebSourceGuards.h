#pragma once

#include "base/LoopClock.h"

#include <chrono>
#include <mutex>
#include <optional>

namespace listorix {

class StopSignal;

// The web source's politeness, shared by everything that asks it for data in one
// run (the quotes' worker and the chart pages' fetch, each on a thread of its own):
// requests at least kRequestSpacing apart whoever sends them, and the rest that a
// rate limit or a run of failures imposes on all of them. Safe to use from any
// thread; nothing here waits while holding its lock.
class WebSourceGuards final
{
public:
    static constexpr std::chrono::milliseconds kRequestSpacing{250};
    static constexpr std::chrono::seconds kDefaultRateLimitPause{60};
    static constexpr std::chrono::minutes kLongestRetryAfter{60};

    explicit WebSourceGuards(LoopClock& clock);

    LoopClock& clock() const { return m_clock; }

    // Takes the next request's turn, a quarter second after the last one taken,
    // and waits for it; false, at once, when `stop` comes first (the turn is lost).
    bool waitForTurn(const StopSignal& stop);

    // When the source rests, till when; nothing when it may be asked now.
    std::optional<LoopClock::TimePoint> restingUntil() const;
    // A rate limit: the source rests for Retry-After (a minute when the answer names
    // none, at most an hour).
    void rateLimited(std::optional<std::int64_t> retryAfterSeconds);
    // The source rests until `until` at least.
    void restUntil(LoopClock::TimePoint until);

    // Whole minutes from now to `when`, at least 1.
    long minutesUntil(LoopClock::TimePoint when) const;

private:
    LoopClock& m_clock;
    mutable std::mutex m_mutex;
    bool m_requestedBefore = false;
    LoopClock::TimePoint m_lastRequestAt{};
    LoopClock::TimePoint m_restUntil{};
};

} // namespace listorix
