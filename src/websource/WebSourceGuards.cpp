#include "websource/WebSourceGuards.h"

#include "websource/StopSignal.h"

#include <algorithm>

namespace listorix {

using std::chrono::duration_cast;
using std::chrono::seconds;

WebSourceGuards::WebSourceGuards(LoopClock& clock) : m_clock(clock) {}

bool WebSourceGuards::waitForTurn(const StopSignal& stop)
{
    LoopClock::TimePoint turn;
    bool wait = false;
    {
        const std::lock_guard lock(m_mutex);
        turn = m_clock.now();
        if (m_requestedBefore) {
            turn = std::max(turn, m_lastRequestAt + kRequestSpacing);
            wait = true;
        }
        m_requestedBefore = true;
        m_lastRequestAt = turn;
    }
    if (wait && !stop.waitUntil(m_clock, turn))
        return false;
    return !stop.stopped();
}

std::optional<LoopClock::TimePoint> WebSourceGuards::restingUntil() const
{
    const std::lock_guard lock(m_mutex);
    if (m_clock.now() < m_restUntil)
        return m_restUntil;
    return std::nullopt;
}

void WebSourceGuards::rateLimited(std::optional<std::int64_t> retryAfterSeconds)
{
    auto pause = duration_cast<seconds>(kDefaultRateLimitPause);
    if (retryAfterSeconds && *retryAfterSeconds >= 0)
        pause = std::min<seconds>(seconds(*retryAfterSeconds), kLongestRetryAfter);
    restUntil(m_clock.now() + pause);
}

void WebSourceGuards::restUntil(LoopClock::TimePoint until)
{
    const std::lock_guard lock(m_mutex);
    m_restUntil = std::max(m_restUntil, until);
}

long WebSourceGuards::minutesUntil(LoopClock::TimePoint when) const
{
    const auto left = duration_cast<seconds>(when - m_clock.now()).count();
    return std::max<long>(1, static_cast<long>((left + 59) / 60));
}

} // namespace listorix
