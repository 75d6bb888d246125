#include "QuotedTestSupport.h"
#include "quoted/Market.h"
#include "quoted/TradingCalendar.h"

#include <cmath>
#include <gtest/gtest.h>
#include <set>

namespace listorix::quoted {
namespace {

using testing::at;
using testing::sampleMarket;

const Security& security(std::string_view symbol)
{
    const Security* found = sampleMarket().find(symbol);
    if (!found)
        throw std::invalid_argument("unknown test symbol");
    return *found;
}

TEST(Market, findIgnoresLetterCase)
{
    EXPECT_EQ(sampleMarket().find("eni.mi"), sampleMarket().find("ENI.MI"));
    EXPECT_EQ(sampleMarket().find("^mibtel")->name, "MIBTEL");
    EXPECT_EQ(sampleMarket().find("NOPE.MI"), nullptr);
    EXPECT_EQ(sampleMarket().find(""), nullptr);
}

TEST(Market, sameSeedAndClockGiveTheSamePricesAnotherSeedOthers)
{
    std::vector<Security> securities = sampleMarket().securities();
    const Market again(securities, 1);
    const Market other(securities, 2);
    const LocalDateTime now = at("2005-01-25T15:30");
    int differing = 0;
    for (const Security& s : securities) {
        const Quote a = sampleMarket().quote(s, now);
        const Quote b = again.quote(*again.find(s.symbol), now);
        EXPECT_EQ(a.last, b.last) << s.symbol;
        EXPECT_EQ(a.volume, b.volume) << s.symbol;
        differing += other.quote(*other.find(s.symbol), now).last != a.last ? 1 : 0;
    }
    EXPECT_GT(differing, static_cast<int>(securities.size()) * 9 / 10);
}

TEST(Market, pricesMoveALittleFromMinuteToMinuteDuringTheSession)
{
    int moved = 0;
    int shares = 0;
    for (const Security& s : sampleMarket().securities()) {
        if (s.category != Category::Share)
            continue;
        ++shares;
        const Quote a = sampleMarket().quote(s, at("2005-01-25T15:30"));
        const Quote b = sampleMarket().quote(s, at("2005-01-25T15:31"));
        EXPECT_LT(std::fabs(b.last / a.last - 1), 0.01) << s.symbol;
        EXPECT_GE(b.volume, a.volume) << s.symbol;
        EXPECT_EQ(b.minuteOfDay, 15 * 60 + 31);
        moved += a.last != b.last ? 1 : 0;
    }
    EXPECT_GT(moved, shares * 3 / 4);
}

TEST(Market, outsideTradingHoursTheLastCloseIsServed)
{
    for (const char* symbol : {"ENI.MI", "^MIBTEL", "IT0005026163.MI"}) {
        const Security& s = security(symbol);
        const Quote close = sampleMarket().quote(s, at("2005-01-28T17:30"));
        EXPECT_EQ(close.minuteOfDay, 17 * 60 + 30);
        for (const char* later : {"2005-01-28T21:00", "2005-01-29T12:00", "2005-01-31T08:59"}) {
            const Quote q = sampleMarket().quote(s, at(later));
            EXPECT_EQ(q.last, close.last) << symbol << ' ' << later;
            EXPECT_EQ(q.high, close.high);
            EXPECT_EQ(q.volume, close.volume);
            EXPECT_EQ(q.date, (CivilDate{2005, 1, 28})) << later;
        }
        // The next session opens from that close.
        EXPECT_EQ(sampleMarket().quote(s, at("2005-01-31T12:00")).previousClose, close.last) << symbol;
    }
}

// Whatever the day and hour, an always-open market trades: prices move from one minute
// to the next and carry that day's date and time, where the exchange's hours show one
// unchanging close.
TEST(Market, anAlwaysOpenMarketMovesWhateverTheDayAndHour)
{
    const Market alwaysOpen(sampleMarket().securities(), 1, trading::Schedule::alwaysOpen());
    for (const char* now : {"2005-01-30T20:30", "2005-01-29T03:00", "2005-12-25T12:00", "2005-01-25T23:58"}) {
        const LocalDateTime time = at(now);
        LocalDateTime next = time;
        ++next.minute;
        int moved = 0;
        int shares = 0;
        for (const Security& s : alwaysOpen.securities()) {
            const Quote a = alwaysOpen.quote(s, time);
            const Quote b = alwaysOpen.quote(s, next);
            EXPECT_EQ(sampleMarket().quote(s, time).last, sampleMarket().quote(s, next).last) << now;
            if (s.category == Category::Fund)
                continue;
            EXPECT_EQ(a.date, time.date) << now;
            EXPECT_EQ(a.minuteOfDay, time.minuteOfDay()) << now;
            EXPECT_LE(a.low, a.last);
            EXPECT_LE(a.last, a.high);
            EXPECT_LT(std::fabs(b.last / a.last - 1), 0.01) << s.symbol << ' ' << now;
            if (s.category == Category::Share) {
                ++shares;
                moved += a.last != b.last ? 1 : 0;
            }
        }
        EXPECT_GT(moved, shares * 3 / 4) << now;
    }
    // Its day's chart runs from midnight to the current minute.
    const auto day =
        alwaysOpen.chart(*alwaysOpen.find("ENI.MI"), at("2005-01-30T20:30"), ChartPeriod::OneDay);
    ASSERT_EQ(day.size(), 20u * 60 + 31);
    EXPECT_EQ(day.front().minuteOfDay, 0);
    EXPECT_EQ(day.back().price, alwaysOpen.quote(*alwaysOpen.find("ENI.MI"), at("2005-01-30T20:30")).last);
}

TEST(Market, quotesAreConsistentForEveryKindOfSecurity)
{
    for (const char* now : {"2005-01-25T09:00", "2005-01-25T12:17", "2005-01-25T19:00", "2025-06-16T10:45"}) {
        const LocalDateTime time = at(now);
        const trading::Session session = trading::sessionAt(time);
        for (const Security& s : sampleMarket().securities()) {
            const Quote q = sampleMarket().quote(s, time);
            EXPECT_GT(q.last, 0) << s.symbol;
            if (s.category == Category::Fund) {
                EXPECT_FALSE(q.sessionDetail);
                EXPECT_EQ(dayNumber(q.date), trading::previousTradingDay(dayNumber(time.date))) << now;
                continue;
            }
            EXPECT_EQ(dayNumber(q.date), session.day) << now;
            EXPECT_LE(q.low, q.last) << s.symbol << ' ' << now;
            EXPECT_LE(q.last, q.high) << s.symbol << ' ' << now;
            EXPECT_LE(q.low, q.open) << s.symbol << ' ' << now;
            EXPECT_LE(q.open, q.high) << s.symbol << ' ' << now;
            EXPECT_GE(q.volume, 0);
            if (session.minute == 0) {
                EXPECT_EQ(q.open, q.last) << s.symbol;
            }
            if (s.category == Category::Index) {
                EXPECT_EQ(q.volume, 0);
            }
        }
    }
}

TEST(Market, pricesStayNearTheirReferenceOverYears)
{
    for (const Security& s : sampleMarket().securities()) {
        // Warrants and certificates swing more than anything else.
        const double factor = s.category == Category::Derivative ? 6 : 3;
        const auto points = sampleMarket().chart(s, at("2025-06-16T18:00"), ChartPeriod::FiveYears);
        for (const ChartPoint& point : points) {
            ASSERT_GT(point.price, s.referencePrice / factor) << s.symbol;
            ASSERT_LT(point.price, s.referencePrice * factor) << s.symbol;
        }
    }
}

TEST(Market, chartsCoverTheirPeriodAndEndAtTheCurrentPrice)
{
    const LocalDateTime now = at("2005-01-25T15:30");
    const Security& eni = security("ENI.MI");
    const Quote quote = sampleMarket().quote(eni, now);
    struct Case
    {
        ChartPeriod period;
        std::size_t minPoints;
        std::size_t maxPoints;
        std::size_t days;
    };
    const Case cases[] = {{ChartPeriod::OneDay, 391, 391, 1},     {ChartPeriod::FiveDays, 400, 520, 5},
                          {ChartPeriod::ThreeMonths, 58, 66, 0},  {ChartPeriod::SixMonths, 120, 132, 0},
                          {ChartPeriod::OneYear, 245, 260, 0},    {ChartPeriod::TwoYears, 495, 515, 0},
                          {ChartPeriod::FiveYears, 1245, 1280, 0}};
    for (const Case& c : cases) {
        const auto points = sampleMarket().chart(eni, now, c.period);
        ASSERT_GE(points.size(), c.minPoints) << chartPeriodCode(c.period);
        ASSERT_LE(points.size(), c.maxPoints) << chartPeriodCode(c.period);
        EXPECT_EQ(points.back().price, quote.last) << chartPeriodCode(c.period);
        EXPECT_EQ(dateFromDayNumber(points.back().day), now.date);
        std::set<std::int64_t> days;
        for (const ChartPoint& point : points) {
            EXPECT_TRUE(trading::isTradingDay(point.day));
            days.insert(point.day);
        }
        const std::size_t expectedDays = c.days != 0 ? c.days : points.size();
        EXPECT_EQ(days.size(), expectedDays) << chartPeriodCode(c.period);
    }
    // The long periods pass through the closes the quotes report.
    const auto year = sampleMarket().chart(eni, now, ChartPeriod::OneYear);
    const ChartPoint& dayBefore = year[year.size() - 2];
    EXPECT_EQ(dayBefore.price, quote.previousClose);
}

TEST(Market, fundChartsShowDailyPricesOnly)
{
    const Security* fund = nullptr;
    for (const Security& s : sampleMarket().securities())
        fund = !fund && s.category == Category::Fund ? &s : fund;
    ASSERT_NE(fund, nullptr);
    const LocalDateTime now = at("2005-01-25T15:30");
    const auto week = sampleMarket().chart(*fund, now, ChartPeriod::FiveDays);
    ASSERT_EQ(week.size(), 6u);
    EXPECT_EQ(week.back().price, sampleMarket().quote(*fund, now).last);
    EXPECT_EQ(dateFromDayNumber(week.back().day), (CivilDate{2005, 1, 24}));
    EXPECT_EQ(sampleMarket().chart(*fund, now, ChartPeriod::OneDay).size(), 2u);
}

TEST(Market, chartPeriodCodesRoundTrip)
{
    for (ChartPeriod period : kAllChartPeriods)
        EXPECT_EQ(chartPeriodFromCode(chartPeriodCode(period)), period);
    EXPECT_FALSE(chartPeriodFromCode("1w"));
    EXPECT_FALSE(chartPeriodFromCode(""));
}

} // namespace
} // namespace listorix::quoted
