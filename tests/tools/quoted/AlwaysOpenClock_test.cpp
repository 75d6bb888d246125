#include "QuotedTestSupport.h"
#include "quoted/Clock.h"
#include "quoted/TradingCalendar.h"

#include <gtest/gtest.h>

namespace listorix::quoted {
namespace {

using testing::at;
using testing::sampleMarket;

struct OpenCase
{
    const char* real;
    const char* day; // the trading day shown
    bool unchanged;  // a session is on: the real time itself
};

TEST(AlwaysOpenClock, outsideTheSessionsTheLastSessionIsReplayed)
{
    const OpenCase cases[] = {
        {"2005-01-25T10:15:20", "2005-01-25", true},  // Tuesday in the session
        {"2005-01-25T17:29:59", "2005-01-25", true},  // its last minute
        {"2005-01-25T17:30:00", "2005-01-25", false}, // Tuesday after the close
        {"2005-01-25T08:59:00", "2005-01-24", false}, // before the open: Monday's
        {"2005-01-30T20:00:00", "2005-01-28", false}, // Sunday evening: Friday's
        {"2005-12-26T12:00:00", "2005-12-23", false}, // a holiday at noon
    };
    for (const OpenCase& c : cases) {
        SCOPED_TRACE(c.real);
        const FixedClock real(at(c.real));
        const LocalDateTime shown = AlwaysOpenClock(real).now();
        EXPECT_EQ(formatIsoLocal(shown).substr(0, 10), c.day);
        EXPECT_TRUE(trading::sessionAt(shown).live());
        EXPECT_EQ(shown == real.now(), c.unchanged);
    }
}

TEST(AlwaysOpenClock, aSundayEveningSeesPricesMoveMinuteByMinute)
{
    const Market& market = sampleMarket();
    const Security& share = market.securities().front();
    const FixedClock first(at("2005-01-30T20:00:00"));
    const FixedClock later(at("2005-01-30T20:05:00"));
    const LocalDateTime a = AlwaysOpenClock(first).now();
    const LocalDateTime b = AlwaysOpenClock(later).now();
    EXPECT_EQ(b.minuteOfDay() - a.minuteOfDay(), 5);
    EXPECT_NE(market.quote(share, a).last, market.quote(share, b).last);
    // Without the option the weekend shows Friday's close, which does not move.
    EXPECT_EQ(market.quote(share, first.now()).last, market.quote(share, later.now()).last);
}

} // namespace
} // namespace listorix::quoted
