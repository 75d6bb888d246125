#include "base/Money.h"
#include "base/NumberFormat.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <random>

namespace listorix {
namespace {

constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

struct ParseCase
{
    const char* text;
    std::optional<double> expected;
};

TEST(NumberFormat, parseNumberAcceptsOnlyDisplayNumbers)
{
    const ParseCase cases[] = {
        {"12,5", 12.5},
        {"  -3,25  ", -3.25},
        {"\t42\r", 42},
        {"+7", 7},
        {"0", 0},
        {"2,", 2},
        {",5", 0.5},
        {"1e3", 1000},
        {"1,5E-2", 0.015},
        {"-2,5e+1", -25},
        {"007", 7},
        // Rejected: the service's decimal point, display grouping, inner blanks,
        // anything that is not a number, and values beyond a double.
        {"", std::nullopt},
        {"   ", std::nullopt},
        {"12.5", std::nullopt},
        {"1.000", std::nullopt},
        {"1.000,50", std::nullopt},
        {"1 000", std::nullopt},
        {"- 1", std::nullopt},
        {"1,2,3", std::nullopt},
        {"N/A", std::nullopt},
        {"-", std::nullopt},
        {",", std::nullopt},
        {"1e", std::nullopt},
        {"1e+", std::nullopt},
        {"e5", std::nullopt},
        {"--1", std::nullopt},
        {"+-1", std::nullopt},
        {"1,5%", std::nullopt},
        {"0x10", std::nullopt},
        {"inf", std::nullopt},
        {"nan", std::nullopt},
        {"1e999", std::nullopt},
        {"0,01e311", std::nullopt},
        // Below the smallest double: as good as zero, not "no number".
        {"1e-400", 0},
        {"-1e-400", 0},
        {"100e-402", 0},
        {"0,0001e-320", 0},
        {"1e-99999999999999999999", 0},
        {"1e-310", 1e-310},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(parseNumber(c.text), c.expected);
    }
    // A NUL inside the text is not a blank to skip.
    EXPECT_EQ(parseNumber(std::string_view("1\0"
                                           "5",
                                           3)),
              std::nullopt);
}

TEST(NumberFormat, parseExtendedKeepsExtendedPrecisionAndRange)
{
    EXPECT_EQ(parseExtended("1936,27"), 1936.27L);
    EXPECT_EQ(parseExtended("1e4000"), 1e4000L);
    EXPECT_EQ(parseExtended("12.5"), std::nullopt);
}

struct FormatCase
{
    double value;
    int decimals;
    int width;
    const char* fixed;   // "%.<decimals>f"
    const char* grouped; // "%<width>.<decimals>n"
};

TEST(NumberFormat, formatsRoundHalvesAwayFromZeroOnTheShortestDecimalForm)
{
    const FormatCase cases[] = {
        {1.25, 2, 0, "1,25", "1,25"},
        {-0.4, 2, 0, "-0,40", "-0,40"},
        {0, 2, 0, "0,00", "0,00"},
        // Halves as typed, though the binary value lies just below or above them.
        {2.675, 2, 0, "2,68", "2,68"},
        {1.005, 2, 0, "1,01", "1,01"},
        {-1.005, 2, 0, "-1,01", "-1,01"},
        {0.125, 2, 0, "0,13", "0,13"},
        {-0.5, 0, 0, "-1", "-1"},
        {0.5, 0, 0, "1", "1"},
        {2.5, 0, 0, "3", "3"},
        {-2.5, 0, 0, "-3", "-3"},
        {0.4999, 0, 0, "0", "0"},
        {9.995, 2, 0, "10,00", "10,00"},
        {999.5, 0, 0, "1000", "1.000"},
        {0.005, 2, 0, "0,01", "0,01"},
        {0.0049, 2, 0, "0,00", "0,00"},
        {1e-7, 2, 0, "0,00", "0,00"},
        // A negative value that rounds to zero shows no sign.
        {-0.004, 2, 0, "0,00", "0,00"},
        {-0.0, 0, 0, "0", "0"},
        // Grouping by thousands.
        {31245.67, 0, 0, "31246", "31.246"},
        {1234567.891, 2, 0, "1234567,89", "1.234.567,89"},
        {-1234567.5, 0, 0, "-1234568", "-1.234.568"},
        {100, 0, 0, "100", "100"},
        {123456, 1, 0, "123456,0", "123.456,0"},
        {1e20, 0, 0, "100000000000000000000", "100.000.000.000.000.000.000"},
        // Noise of binary arithmetic beyond 15 digits does not decide a half.
        {(12.4 - 10) / 10 * 100, 2, 2, "24,00", "24,00"},
        {0.145 * 100, 0, 0, "15", "15"},   // 14.499999999999998
        {0.175 * 7, 2, 0, "1,23", "1,23"}, // 1.2249999999999999
        {0.1 + 0.2, 16, 0, "0,3000000000000000", "0,3000000000000000"},
        // Widths of the portfolio table: "%15.4n" and "%2.2n".
        {1240, 4, 15, "1240,0000", "     1.240,0000"},
        {240, 4, 15, "240,0000", "       240,0000"},
        {10, 4, 15, "10,0000", "        10,0000"},
        {-1240, 4, 15, "-1240,0000", "    -1.240,0000"},
        {123456789012.5, 4, 15, "123456789012,5000", "123.456.789.012,5000"},
        {5, 2, 2, "5,00", "5,00"},
        // Failures give empty text.
        {kNan, 2, 0, "", ""},
        {kInf, 2, 0, "", ""},
        {-kInf, 0, 0, "", ""},
        {1, -1, 0, "", ""},
        {1, kMaxDecimals + 1, 0, "", ""},
        {1, 0, 5000, "1", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.value << " decimals " << c.decimals << " width " << c.width);
        EXPECT_EQ(formatFixed(c.value, c.decimals), c.fixed);
        EXPECT_EQ(formatNumber(c.value, c.decimals, c.width), c.grouped);
    }
}

struct LireCase
{
    double euro;
    const char* lire;
};

TEST(NumberFormat, lireAmountsAreFormedInExtendedPrecision)
{
    const LireCase cases[] = {
        {1000, "1.936.270"},
        {0.5, "968"},
        {1240, "2.400.975"},
        {240, "464.705"},
        {10, "19.363"},
        // 96813,5 lire: an exact half in decimals, whatever the binary product is.
        {50, "96.814"},
        {-50, "-96.814"},
        {0, "0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.euro);
        EXPECT_EQ(formatNumber(c.euro * kLirePerEuro, 0), c.lire);
    }
    EXPECT_EQ(formatFixed(std::numeric_limits<long double>::infinity(), 0), "");
    EXPECT_EQ(formatFixed(2.675L, 2), "2,68");
}

TEST(NumberFormat, generalFormatShowsUpToFifteenDigitsWithoutTrailingZeros)
{
    const struct
    {
        double value;
        const char* text;
    } cases[] = {
        {0, "0"},
        {100, "100"},
        {1234.5, "1234,5"},
        {-0.35, "-0,35"},
        {0.1 + 0.2, "0,3"},
        {1.0 / 3, "0,333333333333333"},
        {2.0 / 3, "0,666666666666667"},
        {123456789012345, "123456789012345"},
        {0.0001, "0,0001"},
        {1e15, "1E15"},
        {-2.5e20, "-2,5E20"},
        {0.00001, "1E-5"},
        {1.5e-7, "1,5E-7"},
        {kNan, ""},
        {kInf, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(formatGeneral(c.value), c.text);
    }
}

TEST(NumberFormat, generalFormatReadsBackAtTheEndsOfTheRange)
{
    constexpr double max = std::numeric_limits<double>::max();
    // 15 digits would round these past the largest double.
    for (const double value : {max, -max, 1.7976931348623153e308, std::nextafter(max, 0.0)}) {
        SCOPED_TRACE(value);
        const std::string text = formatGeneral(value);
        EXPECT_EQ(parseNumber(text), value) << text;
    }
    EXPECT_EQ(formatGeneral(max), "1,7976931348623157E308");
    // Down at the smallest values what is written still reads back as a number
    // near the value, not as zero.
    for (const double value : {std::numeric_limits<double>::denorm_min(), std::numeric_limits<double>::min(),
                               -1e-310, 4.9406564584124654e-324 * 3}) {
        SCOPED_TRACE(value);
        const std::string text = formatGeneral(value);
        const std::optional<double> back = parseNumber(text);
        ASSERT_TRUE(back) << text;
        EXPECT_NE(*back, 0) << text;
        EXPECT_NEAR(*back, value, std::abs(value) * 1e-6) << text;
    }
    // The extended reader has its own floor, below the double's.
    EXPECT_EQ(parseExtended("1e-5000"), 0.0L);
    EXPECT_EQ(parseExtended("1e5000"), std::nullopt);
}

TEST(NumberFormat, generalFormatReadsBackToTheSameText)
{
    std::mt19937_64 random(20050125);
    std::uniform_real_distribution<double> mantissa(-10, 10);
    std::uniform_int_distribution<int> exponent(-30, 30);
    for (int i = 0; i < 2000; ++i) {
        const double value = mantissa(random) * std::pow(10.0, exponent(random));
        const std::string text = formatGeneral(value);
        const auto back = parseNumber(text);
        ASSERT_TRUE(back.has_value()) << text;
        EXPECT_EQ(formatGeneral(*back), text);
        EXPECT_NEAR(*back, value, std::abs(value) * 1e-14);
    }
}

TEST(NumberFormat, parsersSurviveArbitraryBytes)
{
    std::mt19937 random(1936);
    const std::string alphabet = "0123456789,.:/+-eE aApPmM\t\x80\xff";
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    std::uniform_int_distribution<int> length(0, 14);
    for (int i = 0; i < 20000; ++i) {
        std::string text;
        for (int n = length(random); n > 0; --n)
            text += alphabet[pick(random)];
        if (const auto value = parseNumber(text)) {
            EXPECT_TRUE(std::isfinite(*value)) << text;
        }
        if (const auto date = parseDate(text)) {
            EXPECT_EQ(parseDate(formatShortDate(*date)), date) << text;
        }
        if (const auto time = parseTime(text)) {
            EXPECT_EQ(parseTime(formatLongTime(*time)), time) << text;
        }
    }
}

struct DateCase
{
    const char* text;
    int year, month, day; // 0 when the text is not a date
};

TEST(NumberFormat, parseDateReadsDayMonthYear)
{
    const DateCase cases[] = {
        {"25/01/2005", 2005, 1, 25},
        {" 1/2/2005 ", 2005, 2, 1},
        {"29/02/2004", 2004, 2, 29},
        {"31/12/9999", 9999, 12, 31},
        {"29/02/2005", 0, 0, 0},
        {"29/02/1900", 0, 0, 0},
        {"31/04/2005", 0, 0, 0},
        {"00/01/2005", 0, 0, 0},
        {"1/13/2005", 0, 0, 0},
        {"01/01/0000", 0, 0, 0},
        {"25/01/05", 0, 0, 0},
        {"25/01/20051", 0, 0, 0},
        {"25-01-2005", 0, 0, 0},
        {"25/01/2005x", 0, 0, 0},
        {"25 /01/2005", 0, 0, 0},
        {"125/01/2005", 0, 0, 0},
        {"", 0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const auto date = parseDate(c.text);
        if (c.year == 0) {
            EXPECT_FALSE(date.has_value());
        } else {
            ASSERT_TRUE(date.has_value());
            EXPECT_EQ(date, Date::fromYmd(c.year, c.month, c.day));
        }
    }
}

TEST(NumberFormat, shortDateIsDayMonthYearWithSlashes)
{
    EXPECT_EQ(formatShortDate(*Date::fromYmd(2005, 1, 25)), "25/01/2005");
    EXPECT_EQ(formatShortDate(*Date::fromYmd(987, 12, 3)), "03/12/0987");
    // The null date must not come back as a real day.
    EXPECT_EQ(formatShortDate(Date()), "");
    EXPECT_FALSE(parseDate(formatShortDate(Date())).has_value());
}

struct TimeCase
{
    const char* text;
    int seconds; // -1 when the text is not a time
};

TEST(NumberFormat, parseTimeReadsTheServiceTimes)
{
    const TimeCase cases[] = {
        {"17:35", 17 * 3600 + 35 * 60},
        {"9:30:00", 9 * 3600 + 30 * 60},
        {" 09:05:07 ", 9 * 3600 + 5 * 60 + 7},
        {"1:2:3", 3600 + 120 + 3},
        {"0:00", 0},
        {"23:59:59", 86399},
        {"4:35pm", 16 * 3600 + 35 * 60},
        {"11:05 AM", 11 * 3600 + 5 * 60},
        {"12:00am", 0},
        {"12:00PM", 12 * 3600},
        {"24:00", -1},
        {"17:60", -1},
        {"17:35:60", -1},
        {"17.35", -1},
        {"17", -1},
        {"17:", -1},
        {"17:35:", -1},
        {"13:00pm", -1},
        {"0:30am", -1},
        {"4:35 p", -1},
        {"4:35  pm", -1},
        {"117:35", -1},
        {"", -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const auto time = parseTime(c.text);
        if (c.seconds < 0) {
            EXPECT_FALSE(time.has_value());
        } else {
            ASSERT_TRUE(time.has_value());
            EXPECT_EQ(time->secondsSinceMidnight(), c.seconds);
        }
    }
}

TEST(NumberFormat, timesAreWrittenWithColonsAndNoLeadingZeroHour)
{
    EXPECT_EQ(formatLongTime(*TimeOfDay::fromHms(9, 30, 0)), "9:30:00");
    EXPECT_EQ(formatLongTime(*TimeOfDay::fromHms(17, 5, 9)), "17:05:09");
    EXPECT_EQ(formatLongTime(TimeOfDay()), "0:00:00");
    EXPECT_EQ(formatShortTime(*TimeOfDay::fromHms(9, 30, 59)), "9:30");
}

TEST(NumberFormat, timeOfDayFromDayFractionDropsTheDateAndRoundsToTheSecond)
{
    const struct
    {
        double fraction;
        int seconds;
    } cases[] = {
        {0.5, 12 * 3600}, {(9 * 3600 + 30 * 60) / 86400.0, 9 * 3600 + 30 * 60},
        {1.25, 6 * 3600}, {-0.25, 18 * 3600},
        {0.4 / 86400, 0}, {0.6 / 86400, 1},
        {0.9999999, 0},   {kNan, 0},
        {kInf, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fraction);
        EXPECT_EQ(TimeOfDay::fromDayFraction(c.fraction).secondsSinceMidnight(), c.seconds);
    }
    const TimeOfDay time = *TimeOfDay::fromHms(11, 10, 0);
    EXPECT_EQ(TimeOfDay::fromDayFraction(time.dayFraction()), time);
}

TEST(NumberFormat, dotsAreStrippedOrTurnedIntoColons)
{
    EXPECT_EQ(StripDots("1.234.567,5"), "1234567,5");
    EXPECT_EQ(StripDots(""), "");
    EXPECT_EQ(DotsToColons("17.35"), "17:35");
    EXPECT_EQ(DotsToColons("9.30.00"), "9:30:00");
    EXPECT_EQ(DotsToColons("17:35"), "17:35");
}

} // namespace
} // namespace listorix
