#include "quoted/CivilTime.h"

#include "base/ItalianTime.h"

#include <charconv>
#include <cstdio>

namespace listorix::quoted {

namespace {

constexpr std::int64_t kSecondsPerDay = 86400;

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

// The calendar and Italy's time rules are the core's (base/ItalianTime.h).
std::int64_t dayNumber(const CivilDate& date)
{
    return daysFromCivil(date.year, date.month, date.day);
}

CivilDate dateFromDayNumber(std::int64_t days)
{
    CivilDate date;
    civilFromDays(days, date.year, date.month, date.day);
    return date;
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
    const ItalianDateTime italian = italianTimeFromEpoch(unixSeconds);
    LocalDateTime result;
    result.date = {italian.year, italian.month, italian.day};
    result.hour = italian.hour;
    result.minute = italian.minute;
    result.second = italian.second;
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
