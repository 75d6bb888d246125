#include "quoted/TradingCalendar.h"

#include <algorithm>

namespace listorix::quoted::trading {

// Anonymous Gregorian algorithm (Meeus/Jones/Butcher).
CivilDate easterSunday(int year)
{
    const int a = year % 19;
    const int b = year / 100;
    const int c = year % 100;
    const int d = b / 4;
    const int e = b % 4;
    const int f = (b + 8) / 25;
    const int g = (b - f + 1) / 3;
    const int h = (19 * a + b - d - g + 15) % 30;
    const int i = c / 4;
    const int k = c % 4;
    const int l = (32 + 2 * e + 2 * i - h - k) % 7;
    const int m = (a + 11 * h + 22 * l) / 451;
    const int month = (h + l - 7 * m + 114) / 31;
    const int day = (h + l - 7 * m + 114) % 31 + 1;
    return {year, month, day};
}

bool isTradingDay(std::int64_t day)
{
    const int wd = weekday(day);
    if (wd == 0 || wd == 6)
        return false;
    const CivilDate date = dateFromDayNumber(day);
    const int md = date.month * 100 + date.day;
    if (md == 101 || md == 501 || md == 815 || md == 1224 || md == 1225 || md == 1226 || md == 1231)
        return false;
    const std::int64_t easter = dayNumber(easterSunday(date.year));
    return day != easter - 2 && day != easter + 1;
}

std::int64_t previousTradingDay(std::int64_t day)
{
    do {
        --day;
    } while (!isTradingDay(day));
    return day;
}

Session sessionAt(const LocalDateTime& now)
{
    const std::int64_t today = dayNumber(now.date);
    const int sinceOpen = now.minuteOfDay() - kOpenMinute;
    if (isTradingDay(today) && sinceOpen >= 0)
        return {today, std::min(sinceOpen, kSessionMinutes)};
    return {previousTradingDay(today), kSessionMinutes};
}

bool Schedule::isTradingDay(std::int64_t day) const
{
    return m_alwaysOpen || trading::isTradingDay(day);
}

std::int64_t Schedule::previousTradingDay(std::int64_t day) const
{
    return m_alwaysOpen ? day - 1 : trading::previousTradingDay(day);
}

Session Schedule::sessionAt(const LocalDateTime& now) const
{
    if (!m_alwaysOpen)
        return trading::sessionAt(now);
    return {dayNumber(now.date), std::min(now.minuteOfDay(), sessionMinutes())};
}

} // namespace listorix::quoted::trading
