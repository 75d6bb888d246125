#include "fetch/TConnessione.h"

#include "base/Digits.h"
#include "base/TextSink.h"

#include <algorithm>
#include <limits>

namespace listorix {

namespace {

constexpr std::int32_t kRetryDelaySeconds = 60;

} // namespace

TConnessione::TConnessione(ConnectionId id, const LineList& requests, std::int32_t intervalSeconds,
                           TextSink* countdownLabel, AnswerSink& sink)
    : IntervalSeconds(intervalSeconds), Requests(requests), CountdownLabel(countdownLabel), m_id(id),
      m_sink(sink)
{
}

void TConnessione::SetIntervalMinutes(int minutes)
{
    constexpr std::int64_t kLimit = std::numeric_limits<std::int32_t>::max();
    IntervalSeconds =
        static_cast<std::int32_t>(std::clamp<std::int64_t>(std::int64_t{minutes} * 60, -kLimit, kLimit));
}

void TConnessione::Tick()
{
    if (!Enabled || IntervalSeconds <= 0)
        return;
    if (Elapsed < std::numeric_limits<std::int32_t>::max())
        ++Elapsed;
    ShowCountdown();
}

bool TConnessione::IsDue() const
{
    if (!Enabled)
        return false;
    // Never fetched: due at once, a manual connection included.
    if (Elapsed == -1)
        return true;
    if (IntervalSeconds <= 0)
        return false;
    return Elapsed >= IntervalSeconds;
}

void TConnessione::Restart()
{
    Elapsed = 0;
    ShowCountdown();
}

void TConnessione::RetryLater()
{
    if (IntervalSeconds <= kRetryDelaySeconds) {
        Restart();
        return;
    }
    Elapsed = IntervalSeconds - kRetryDelaySeconds;
    ShowCountdown();
}

void TConnessione::ShowCountdown() const
{
    if (CountdownLabel == nullptr)
        return;
    // A negative interval never falls due either: it is shown as manual too.
    if (IntervalSeconds <= 0) {
        CountdownLabel->setText("manual");
        return;
    }
    CountdownLabel->setText(countdownText(std::int64_t{IntervalSeconds} - Elapsed));
}

std::string TConnessione::countdownText(std::int64_t remainingSeconds)
{
    const std::int64_t r = std::max<std::int64_t>(remainingSeconds, 0);
    const std::int64_t hours = r / 3600;
    const std::int64_t minutes = r % 3600 / 60;
    const std::int64_t seconds = r % 60;
    // The fields are joined by a literal full stop, whatever the locale. An
    // interval of a day or more shows all its hours (25.00.00) instead of
    // wrapping round like a clock.
    if (hours > 0) {
        const std::string h = hours < 10 ? twoDigits(hours) : std::to_string(hours);
        return h + '.' + twoDigits(minutes) + '.' + twoDigits(seconds);
    }
    if (minutes > 0)
        return twoDigits(minutes) + '.' + twoDigits(seconds);
    return twoDigits(seconds);
}

} // namespace listorix
