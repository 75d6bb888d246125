#include "quoted/Clock.h"

#include "quoted/TradingCalendar.h"

#include <chrono>

namespace listorix::quoted {

LocalDateTime SystemClock::now() const
{
    const auto seconds =
        std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch());
    return romeTimeFromUnix(seconds.count());
}

LocalDateTime AlwaysOpenClock::now() const
{
    const LocalDateTime real = m_base.now();
    const std::int64_t today = dayNumber(real.date);
    const int minute = real.minuteOfDay();
    const bool trading = trading::isTradingDay(today);
    if (trading && minute >= trading::kOpenMinute && minute < trading::kCloseMinute)
        return real;
    const std::int64_t day =
        trading && minute >= trading::kCloseMinute ? today : trading::previousTradingDay(today);
    // Minutes counted from any fixed moment keep the replay running across midnight.
    const std::int64_t count = today * 24 * 60 + minute;
    const int intoSession = static_cast<int>(((count % trading::kSessionMinutes) + trading::kSessionMinutes) %
                                             trading::kSessionMinutes);
    LocalDateTime replayed;
    replayed.date = dateFromDayNumber(day);
    replayed.hour = (trading::kOpenMinute + intoSession) / 60;
    replayed.minute = (trading::kOpenMinute + intoSession) % 60;
    replayed.second = real.second;
    return replayed;
}

} // namespace listorix::quoted
