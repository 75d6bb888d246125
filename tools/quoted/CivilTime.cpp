#include "quoted/CivilTime.h"

#include <charconv>
#include <cstdio>

namespace listorix::quoted {

namespace {

constexpr std::int64_t kSecondsPerDay = 86400;

std::int64_t floorDiv(std::int64_t a, std::int64_t b)
{
    std::int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}

// Day number of the last Sunday of a month.
std::int64_t lastSunday(int year, int month)
{
    const std::int64_t last = dayNumber({year, month, daysInMonth(year, month)});
    return last - weekday(last);
}

bool readNumber(std::string_view text, std::size_t pos, std::size_t width, int& out)
{
    if (pos + width > text.size())
        return false;
    for (std::size_t i = pos; i < pos + width; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return false;
    }
    const auto* first = text.data() + pos;
    return std::from_chars(first, first + width, out).ec == std::errc{};
}

} // namespace

// Civil-date arithmetic after Howard Hinnant's days_from_civil / civil_from_days.
std::int64_t dayNumber(const CivilDate& date)
{
    const std::int64_t y = date.year - (date.month <= 2 ? 1 : 0);
    const std::int64_t era = floorDiv(y, 400);
    const std::int64_t yoe = y - era * 400;
    const std::int64_t mp = (date.month + 9) % 12;
    const std::int64_t doy = (153 * mp + 2) / 5 + date.day - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

CivilDate dateFromDayNumber(std::int64_t days)
{
    const std::int64_t z = days + 719468;
    const std::int64_t era = floorDiv(z, 146097);
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    const int day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    const int year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
    return {year, month, day};
}

int weekday(std::int64_t days)
{
    // 1970-01-01 was a Thursday.
    return static_cast<int>(((days % 7) + 11) % 7);
}

int daysInMonth(int year, int month)
{
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

LocalDateTime romeTimeFromUnix(std::int64_t unixSeconds)
{
    const int utcYear = dateFromDayNumber(floorDiv(unixSeconds, kSecondsPerDay)).year;
    const std::int64_t summerStart = lastSunday(utcYear, 3) * kSecondsPerDay + 3600;
    const std::int64_t summerEnd = lastSunday(utcYear, 10) * kSecondsPerDay + 3600;
    const bool summer = unixSeconds >= summerStart && unixSeconds < summerEnd;
    const std::int64_t local = unixSeconds + (summer ? 7200 : 3600);

    const std::int64_t days = floorDiv(local, kSecondsPerDay);
    const std::int64_t secondOfDay = local - days * kSecondsPerDay;
    LocalDateTime result;
    result.date = dateFromDayNumber(days);
    result.hour = static_cast<int>(secondOfDay / 3600);
    result.minute = static_cast<int>(secondOfDay % 3600 / 60);
    result.second = static_cast<int>(secondOfDay % 60);
    return result;
}

std::int64_t unixFromRomeTime(const LocalDateTime& time)
{
    const std::int64_t wallClock =
        dayNumber(time.date) * kSecondsPerDay + time.hour * 3600 + time.minute * 60 + time.second;
    if (romeTimeFromUnix(wallClock - 7200) == time)
        return wallClock - 7200;
    return wallClock - 3600;
}

std::optional<LocalDateTime> parseIsoLocal(std::string_view text)
{
    // YYYY-MM-DDTHH:MM, optionally :SS
    if (text.size() != 16 && text.size() != 19)
        return std::nullopt;
    LocalDateTime t;
    if (!readNumber(text, 0, 4, t.date.year) || text[4] != '-' || !readNumber(text, 5, 2, t.date.month) ||
        text[7] != '-' || !readNumber(text, 8, 2, t.date.day) || (text[10] != 'T' && text[10] != ' ') ||
        !readNumber(text, 11, 2, t.hour) || text[13] != ':' || !readNumber(text, 14, 2, t.minute))
        return std::nullopt;
    if (text.size() == 19 && (text[16] != ':' || !readNumber(text, 17, 2, t.second)))
        return std::nullopt;
    if (t.date.month < 1 || t.date.month > 12 || t.date.day < 1 ||
        t.date.day > daysInMonth(t.date.year, t.date.month) || t.hour > 23 || t.minute > 59 || t.second > 59)
        return std::nullopt;
    return t;
}

std::string formatIsoLocal(const LocalDateTime& t)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02dT%02d:%02d:%02d", t.date.year, t.date.month,
                  t.date.day, t.hour, t.minute, t.second);
    return buffer;
}

} // namespace listorix::quoted
