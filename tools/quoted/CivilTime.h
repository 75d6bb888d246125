#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace listorix::quoted {

// A calendar date in the proleptic Gregorian calendar.
struct CivilDate
{
    int year = 1970;
    int month = 1; // 1..12
    int day = 1;   // 1..31

    friend bool operator==(const CivilDate&, const CivilDate&) = default;
};

// A wall-clock time in Italy (the market's own time), to the second.
struct LocalDateTime
{
    CivilDate date;
    int hour = 0;
    int minute = 0;
    int second = 0;

    int minuteOfDay() const { return hour * 60 + minute; }
    friend bool operator==(const LocalDateTime&, const LocalDateTime&) = default;
};

// Days since 1970-01-01 (negative before it).
std::int64_t dayNumber(const CivilDate& date);
CivilDate dateFromDayNumber(std::int64_t days);
// 0 = Sunday ... 6 = Saturday.
int weekday(std::int64_t dayNumber);
int daysInMonth(int year, int month);

// Italian wall-clock time of an instant given as seconds since the Unix epoch (UTC):
// CET, and CEST from the last Sunday of March to the last Sunday of October, switching
// at 01:00 UTC (the European rule in force since 1996).
LocalDateTime romeTimeFromUnix(std::int64_t unixSeconds);
// The instant of an Italian wall-clock time, as seconds since the Unix epoch: in the hour
// that repeats when summer time ends, the first of the two; a time skipped when it
// begins is read as CET.
std::int64_t unixFromRomeTime(const LocalDateTime& time);

// "YYYY-MM-DDTHH:MM[:SS]" (a blank may stand for the T); nothing on a malformed or
// impossible value.
std::optional<LocalDateTime> parseIsoLocal(std::string_view text);
std::string formatIsoLocal(const LocalDateTime& time);

} // namespace listorix::quoted
