#pragma once

#include <cstdint>

namespace listorix {

// A wall-clock moment in Italy, to the second.
struct ItalianDateTime
{
    int year = 1970;
    int month = 1; // 1..12
    int day = 1;   // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;

    friend bool operator==(const ItalianDateTime&, const ItalianDateTime&) = default;
};

// Italian civil time of an instant given as seconds since the Unix epoch (UTC),
// computed by the rules in force (CET, and CEST from the last Sunday of March to
// the last Sunday of October, switching at 01:00 UTC), whatever the machine's own
// time zone says.
ItalianDateTime italianTimeFromEpoch(std::int64_t epochSeconds);

// Days since 1970-01-01 (negative before it) and back, proleptic Gregorian calendar.
std::int64_t daysFromCivil(int year, int month, int day);
void civilFromDays(std::int64_t days, int& year, int& month, int& day);

} // namespace listorix
