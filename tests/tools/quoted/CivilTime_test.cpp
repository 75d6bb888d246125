#include "QuotedTestSupport.h"
#include "quoted/CivilTime.h"
#include "quoted/TradingCalendar.h"

#include <gtest/gtest.h>

namespace listorix::quoted {
namespace {

using testing::at;

TEST(CivilTime, dayNumbersRoundTripAndWeekdaysFollowEachOther)
{
    EXPECT_EQ(dayNumber({1970, 1, 1}), 0);
    EXPECT_EQ(weekday(dayNumber({2005, 1, 25})), 2); // a Tuesday
    for (std::int64_t day = -800; day < 30000; ++day) {
        const CivilDate date = dateFromDayNumber(day);
        ASSERT_EQ(dayNumber(date), day);
        ASSERT_EQ(weekday(day + 1), (weekday(day) + 1) % 7);
    }
}

TEST(CivilTime, romeTimeFollowsCentralEuropeanSummerTime)
{
    const auto utc = [](CivilDate date, int seconds) { return dayNumber(date) * 86400 + seconds; };
    struct Case
    {
        std::int64_t unix;
        const char* expected;
    };
    const Case cases[] = {
        {utc({2005, 1, 25}, 14 * 3600 + 30 * 60), "2005-01-25T15:30:00"},
        {utc({2005, 3, 27}, 3599), "2005-03-27T01:59:59"}, // last second of winter time
        {utc({2005, 3, 27}, 3600), "2005-03-27T03:00:00"}, // clocks go forward
        {utc({2005, 10, 30}, 3599), "2005-10-30T02:59:59"},
        {utc({2005, 10, 30}, 3600), "2005-10-30T02:00:00"}, // clocks go back
        {utc({2024, 7, 1}, 10 * 3600), "2024-07-01T12:00:00"},
        {utc({2024, 12, 31}, 23 * 3600 + 1800), "2025-01-01T00:30:00"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(formatIsoLocal(romeTimeFromUnix(c.unix)), c.expected) << c.unix;
}

TEST(CivilTime, parsesPinnedClockValuesAndRefusesImpossibleOnes)
{
    EXPECT_EQ(formatIsoLocal(at("2005-01-25T15:30")), "2005-01-25T15:30:00");
    EXPECT_EQ(formatIsoLocal(at("2024-02-29 09:01:02")), "2024-02-29T09:01:02");
    for (const char* bad :
         {"", "2005-02-30T10:00", "2023-02-29T10:00", "2005-1-25T10:00", "2005-01-25T24:00",
          "2005-01-25T10:60", "2005-01-25T10:00Z", "2005-01-25T10:00:5", "2005/01/25T10:00"})
        EXPECT_FALSE(parseIsoLocal(bad)) << bad;
}

TEST(TradingCalendar, easterAndTheExchangeHolidays)
{
    EXPECT_EQ(trading::easterSunday(2005), (CivilDate{2005, 3, 27}));
    EXPECT_EQ(trading::easterSunday(2000), (CivilDate{2000, 4, 23}));
    EXPECT_EQ(trading::easterSunday(2024), (CivilDate{2024, 3, 31}));
    EXPECT_EQ(trading::easterSunday(2025), (CivilDate{2025, 4, 20}));
    EXPECT_EQ(trading::easterSunday(2038), (CivilDate{2038, 4, 25}));

    struct Case
    {
        CivilDate date;
        bool trading;
    };
    const Case cases[] = {{{2005, 1, 25}, true},  {{2005, 1, 29}, false},  {{2005, 1, 30}, false},
                          {{2005, 3, 25}, false}, {{2005, 3, 28}, false},  {{2005, 3, 29}, true},
                          {{2025, 1, 1}, false},  {{2025, 1, 2}, true},    {{2025, 5, 1}, false},
                          {{2025, 8, 15}, false}, {{2025, 12, 24}, false}, {{2025, 12, 31}, false}};
    for (const Case& c : cases)
        EXPECT_EQ(trading::isTradingDay(dayNumber(c.date)), c.trading)
            << c.date.year << '-' << c.date.month << '-' << c.date.day;
}

TEST(TradingCalendar, sessionAtGivesTheDayWhosePricesAreCurrent)
{
    struct Case
    {
        const char* now;
        CivilDate day;
        int minute;
    };
    const Case cases[] = {
        {"2005-01-25T08:59", {2005, 1, 24}, trading::kSessionMinutes}, // before the open: yesterday's close
        {"2005-01-25T09:00", {2005, 1, 25}, 0},
        {"2005-01-25T15:30", {2005, 1, 25}, 390},
        {"2005-01-25T17:30", {2005, 1, 25}, trading::kSessionMinutes},
        {"2005-01-25T23:59", {2005, 1, 25}, trading::kSessionMinutes},
        {"2005-01-29T12:00", {2005, 1, 28}, trading::kSessionMinutes}, // Saturday
        {"2005-03-28T10:00", {2005, 3, 24}, trading::kSessionMinutes}, // Easter Monday after Good Friday
    };
    for (const Case& c : cases) {
        const trading::Session session = trading::sessionAt(at(c.now));
        EXPECT_EQ(dateFromDayNumber(session.day), c.day) << c.now;
        EXPECT_EQ(session.minute, c.minute) << c.now;
    }
}

} // namespace
} // namespace listorix::quoted
