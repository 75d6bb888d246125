#include "base/ItalianTime.h"

#include <gtest/gtest.h>
#include <ostream>

namespace listorix {

inline void PrintTo(const ItalianDateTime& t, std::ostream* out)
{
    *out << t.year << '-' << t.month << '-' << t.day << ' ' << t.hour << ':' << t.minute << ':' << t.second;
}

namespace {

TEST(ItalianTime, followsTheEuropeanSummerTimeRuleWhateverTheMachineZone)
{
    const struct
    {
        const char* what;
        std::int64_t epoch;
        ItalianDateTime expected;
    } cases[] = {
        {"winter, CET", 1736928300, {2025, 1, 15, 9, 5, 0}},
        {"summer, CEST", 1752586200, {2025, 7, 15, 15, 30, 0}},
        {"last second of CET in March", 1743296399, {2025, 3, 30, 1, 59, 59}},
        {"first second of CEST: the clock jumps to 3:00", 1743296400, {2025, 3, 30, 3, 0, 0}},
        {"last second of CEST in October", 1761440399, {2025, 10, 26, 2, 59, 59}},
        {"first second of CET again: 2:00 comes twice", 1761440400, {2025, 10, 26, 2, 0, 0}},
        {"New Year comes an hour before UTC's", 1735687800, {2025, 1, 1, 0, 30, 0}},
        {"last second of a leap day", 1709247599, {2024, 2, 29, 23, 59, 59}},
        {"the day after a leap day begins at 23:00 UTC", 1709247600, {2024, 3, 1, 0, 0, 0}},
        {"the epoch itself", 0, {1970, 1, 1, 1, 0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(italianTimeFromEpoch(c.epoch), c.expected);
    }
}

TEST(ItalianTime, civilDaysRoundTripAcrossCenturiesAndLeapYears)
{
    for (const std::int64_t days : {-719468LL, -1LL, 0LL, 11016LL, 19782LL, 2932896LL}) {
        int year = 0;
        int month = 0;
        int day = 0;
        civilFromDays(days, year, month, day);
        EXPECT_EQ(daysFromCivil(year, month, day), days) << year << '-' << month << '-' << day;
    }
    EXPECT_EQ(daysFromCivil(2000, 3, 1) - daysFromCivil(2000, 2, 28), 2);
    EXPECT_EQ(daysFromCivil(1900, 3, 1) - daysFromCivil(1900, 2, 28), 1);
}

} // namespace
} // namespace listorix
