#include "base/TimeOfDay.h"

#include <cmath>

namespace listorix {

std::optional<TimeOfDay> TimeOfDay::fromHms(int hour, int minute, int second)
{
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59)
        return std::nullopt;
    return TimeOfDay(hour * 3600 + minute * 60 + second);
}

TimeOfDay TimeOfDay::fromDayFraction(double fraction)
{
    if (!std::isfinite(fraction))
        return TimeOfDay();
    const double timePart = fraction - std::floor(fraction);
    // Rounding may reach the next midnight: that is 0:00:00 again.
    const auto seconds = static_cast<int>(std::lround(timePart * kSecondsPerDay)) % kSecondsPerDay;
    return TimeOfDay(seconds);
}

} // namespace listorix
