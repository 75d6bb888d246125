#include "IndexTestSupport.h"
#include "base/NumberFormat.h"
#include "market/IntradayChart.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <string>
#include <vector>

namespace listorix {
namespace {

double at(const char* time)
{
    return parseTime(time).value().dayFraction();
}

std::string timeText(double dayFraction)
{
    return formatLongTime(TimeOfDay::fromDayFraction(dayFraction));
}

TEST(IntradayChart, seriesCarryTheirTitlesAndColours)
{
    const IntradayChart chart;
    EXPECT_EQ(chart.Series1.title(), "MIBTEL");
    EXPECT_EQ(chart.Series1.colour(), clRed);
    EXPECT_EQ(chart.Series2.title(), "MIB30");
    EXPECT_EQ(chart.Series2.colour(), rgbColour(0, 128, 0));
    EXPECT_EQ(chart.Series4.title(), "MIDEX");
    EXPECT_EQ(chart.Series4.colour(), clBlue);
    EXPECT_TRUE(chart.SeriesDate.isNull());
}

TEST(IntradayChart, timeAxisFollowsThePointsOfTheDay)
{
    const struct
    {
        const char* label;
        std::vector<const char*> times;
        const char* minimum;
        const char* maximum;
    } cases[] = {
        {"after a reset", {}, "0:00:00", "1:00:00"},
        {"the first point fixes the left edge, an hour wide", {"9:30"}, "9:30:00", "10:30:00"},
        {"a later point beyond the hour extends it", {"9:30", "11:10"}, "9:30:00", "11:10:00"},
        {"a point inside the hour changes nothing", {"9:30", "10:00"}, "9:30:00", "10:30:00"},
        {"a point at the right edge", {"9:30", "10:30"}, "9:30:00", "10:30:00"},
        {"an earlier point moves the left edge", {"9:30", "11:10", "9:00"}, "9:00:00", "11:10:00"},
        {"an earlier point keeps an hour of width", {"9:30", "9:00"}, "9:00:00", "10:30:00"},
        {"late in the evening", {"23:30"}, "23:30:00", "0:30:00"},
        // A left edge at 0:00 counts as "not yet fixed": the next point takes it.
        {"a point at midnight", {"0:00", "9:30"}, "9:30:00", "10:30:00"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        IntradayChart chart;
        chart.ResetChart();
        for (const char* time : c.times)
            chart.AddChartPoint(chart.Series1, at(time), 0);
        EXPECT_EQ(timeText(chart.timeAxis().minimum), c.minimum);
        EXPECT_EQ(timeText(chart.timeAxis().maximum), c.maximum);
        // Always at least an hour wide; min below max for any axis that sets its ends one by one.
        EXPECT_GE(chart.timeAxis().maximum - chart.timeAxis().minimum, IntradayChart::kOneHour * 0.999999);
    }
}

TEST(IntradayChart, valueAxisWidensInWholePercentsAndNeverNarrows)
{
    const struct
    {
        const char* label;
        std::vector<double> values;
        AxisRange axis;
    } cases[] = {
        {"after a reset", {}, {-0.1, 0.1}},
        {"inside the start range", {0.05}, {-0.1, 0.1}},
        {"on the upper edge", {0.1}, {-0.1, 1}},
        {"on the lower edge", {-0.1}, {-1, 0.1}},
        {"a first value of 0,35", {0.35}, {-0.1, 1}},
        {"-1,4", {-1.4}, {-2, 0.1}},
        {"a whole percent opens the next", {1}, {-0.1, 2}},
        {"a negative whole percent", {-2}, {-3, 0.1}},
        {"both sides", {0.35, -1.4}, {-2, 1}},
        {"a smaller value later", {2.5, 0.5, -0.05}, {-0.1, 3}},
        {"reaching the widened edge again", {0.35, 1}, {-0.1, 2}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        IntradayChart chart;
        chart.ResetChart();
        double minute = 0;
        for (const double value : c.values)
            chart.AddChartPoint(chart.Series2, at("10:00") + ++minute / (24 * 60), value);
        EXPECT_EQ(chart.valueAxis(), c.axis);
    }
}

TEST(IntradayChart, aPointAtATimeAlreadyDrawnChangesNothing)
{
    IntradayChart chart;
    chart.ResetChart();
    int notices = 0;
    chart.setObserver([&] { ++notices; });
    ASSERT_TRUE(chart.AddChartPoint(chart.Series1, at("9:30"), 0.2));

    // The same time as the service sends it, as the panel shows it and as the
    // saved series gives it back: always the same X.
    for (const char* time : {"9:30", "09:30", "9.30", "9:30:00", "09:30:00"}) {
        SCOPED_TRACE(time);
        EXPECT_FALSE(chart.AddChartPoint(chart.Series1, parseTime(DotsToColons(time))->dayFraction(), 5));
    }
    // A saved time read back from the stored text.
    const double saved = parseTime(formatLongTime(TimeOfDay::fromDayFraction(at("9:30"))))->dayFraction();
    EXPECT_FALSE(chart.AddChartPoint(chart.Series1, saved, 5));

    EXPECT_EQ(chart.Series1.points(), (std::vector<ChartPoint>{{at("9:30"), 0.2}}));
    EXPECT_EQ(chart.valueAxis(), (AxisRange{-0.1, 1}));
    EXPECT_EQ(notices, 1);

    // Other lines keep their own times.
    EXPECT_TRUE(chart.AddChartPoint(chart.Series2, at("9:30"), 0.2));
    EXPECT_TRUE(chart.AddChartPoint(chart.Series4, at("9:30"), 0.2));
}

TEST(IntradayChart, pointsKeepTheirOrderOfArrival)
{
    IntradayChart chart;
    chart.ResetChart();
    chart.AddChartPoint(chart.Series4, at("10:00"), 1);
    chart.AddChartPoint(chart.Series4, at("9:00"), -1);
    chart.AddChartPoint(chart.Series4, at("9:00:01"), 0);
    EXPECT_EQ(chart.Series4.points(),
              (std::vector<ChartPoint>{{at("10:00"), 1}, {at("9:00"), -1}, {at("9:00:01"), 0}}));
}

TEST(IntradayChart, resetEmptiesEveryLineAndRestoresTheStartRanges)
{
    IntradayChart chart;
    chart.ResetChart();
    chart.AddChartPoint(chart.Series1, at("9:30"), 3.2);
    chart.AddChartPoint(chart.Series2, at("15:30"), -4);
    chart.AddChartPoint(chart.Series4, at("12:00"), 0);
    chart.SeriesDate = Date::fromYmd(2005, 1, 25).value();

    chart.ResetChart();

    EXPECT_TRUE(chart.Series1.points().empty());
    EXPECT_TRUE(chart.Series2.points().empty());
    EXPECT_TRUE(chart.Series4.points().empty());
    EXPECT_EQ(chart.timeAxis(), (AxisRange{0, IntradayChart::kOneHour}));
    EXPECT_EQ(chart.valueAxis(), (AxisRange{-0.1, 0.1}));
    // The day is the caller's to set.
    EXPECT_EQ(chart.SeriesDate, Date::fromYmd(2005, 1, 25));
}

TEST(IntradayChart, clearingOneLineKeepsTheOthersAndTheAxes)
{
    IntradayChart chart;
    chart.ResetChart();
    chart.AddChartPoint(chart.Series1, at("9:30"), 3.2);
    chart.AddChartPoint(chart.Series2, at("15:30"), -4);
    const AxisRange time = chart.timeAxis();
    const AxisRange value = chart.valueAxis();

    chart.clearSeries(chart.Series1);

    EXPECT_TRUE(chart.Series1.points().empty());
    EXPECT_EQ(chart.Series2.points().size(), 1u);
    EXPECT_EQ(chart.timeAxis(), time);
    EXPECT_EQ(chart.valueAxis(), value);
}

TEST(IntradayChart, pointsThatCannotBeDrawnAreRefused)
{
    IntradayChart chart;
    IntradayChart other;
    chart.ResetChart();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();

    EXPECT_FALSE(chart.AddChartPoint(other.Series1, at("9:30"), 0));
    EXPECT_FALSE(chart.AddChartPoint(chart.Series1, nan, 0));
    EXPECT_FALSE(chart.AddChartPoint(chart.Series1, at("9:30"), inf));
    EXPECT_FALSE(chart.AddChartPoint(chart.Series1, at("9:30"), -inf));

    EXPECT_TRUE(chart.Series1.points().empty());
    EXPECT_TRUE(other.Series1.points().empty());
    EXPECT_EQ(chart.timeAxis(), (AxisRange{0, IntradayChart::kOneHour}));
    EXPECT_EQ(chart.valueAxis(), (AxisRange{-0.1, 0.1}));
}

TEST(IntradayChart, aBatchSendsOneNotice)
{
    IntradayChart chart;
    int notices = 0;
    chart.setObserver([&] { ++notices; });
    {
        const auto batch = chart.batchChanges();
        chart.ResetChart();
        chart.AddChartPoint(chart.Series1, at("9:30"), 1);
        chart.AddChartPoint(chart.Series2, at("9:30"), 1);
        EXPECT_EQ(notices, 0);
    }
    EXPECT_EQ(notices, 1);
    {
        const auto batch = chart.batchChanges();
        chart.AddChartPoint(chart.Series1, at("9:30"), 1);
    }
    EXPECT_EQ(notices, 1);
    chart.AddChartPoint(chart.Series4, at("9:30"), 1);
    EXPECT_EQ(notices, 2);
}

} // namespace
} // namespace listorix
