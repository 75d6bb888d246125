#include "base/ItalianTime.h"

namespace listorix {

namespace {

constexpr std::int64_t kSecondsPerDay = 86400;

std::int64_t floorDiv(std::int64_t a, std::int64_t b)
{
    std::int64_t q = a / b;
    if (a % b != 0 && ((a < 0) != (b < 0)))
        --q;
    return q;
}

bool isLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month)
{
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

// Day number of the last Sunday of a month.
std::int64_t lastSunday(int year, int month)
{
    const std::int64_t last = daysFromCivil(year, month, daysInMonth(year, month));
    const std::int64_t weekday = ((last % 7) + 11) % 7; // 1970-01-01 was a Thursday; 0 = Sunday
    return last - weekday;
}

} // namespace

// After Howard Hinnant's days_from_civil and civil_from_days.
std::int64_t daysFromCivil(int year, int month, int day)
{
    const std::int64_t y = static_cast<std::int64_t>(year) - (month <= 2 ? 1 : 0);
    const std::int64_t era = floorDiv(y, 400);
    const std::int64_t yoe = y - era * 400;
    const std::int64_t mp = (month + 9) % 12;
    const std::int64_t doy = (153 * mp + 2) / 5 + day - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void civilFromDays(std::int64_t days, int& year, int& month, int& day)
{
    const std::int64_t z = days + 719468;
    const std::int64_t era = floorDiv(z, 146097);
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
}

ItalianDateTime italianTimeFromEpoch(std::int64_t epochSeconds)
{
    int utcYear = 0;
    int utcMonth = 0;
    int utcDay = 0;
    civilFromDays(floorDiv(epochSeconds, kSecondsPerDay), utcYear, utcMonth, utcDay);
    // Summer time starts and ends at 01:00 UTC on the last Sundays of March and October.
    const std::int64_t summerStart = lastSunday(utcYear, 3) * kSecondsPerDay + 3600;
    const std::int64_t summerEnd = lastSunday(utcYear, 10) * kSecondsPerDay + 3600;
    const bool summer = epochSeconds >= summerStart && epochSeconds < summerEnd;
    const std::int64_t local = epochSeconds + (summer ? 7200 : 3600);

    const std::int64_t days = floorDiv(local, kSecondsPerDay);
    const std::int64_t secondOfDay = local - days * kSecondsPerDay;
    ItalianDateTime result;
    civilFromDays(days, result.year, result.month, result.day);
    result.hour = static_cast<int>(secondOfDay / 3600);
    result.minute = static_cast<int>(secondOfDay % 3600 / 60);
    result.second = static_cast<int>(secondOfDay % 60);
    return result;
}

} // namespace listorix
