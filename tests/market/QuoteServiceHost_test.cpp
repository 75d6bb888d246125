#include "market/QuoteServiceHost.h"

#include <gtest/gtest.h>

namespace listorix {
namespace {

TEST(QuoteServiceHost, acceptsHostOrHostAndPort)
{
    struct Case
    {
        std::string_view raw;
        std::string_view host;
    };
    const Case cases[] = {
        {"quotes.example.com", "quotes.example.com"},
        {"localhost:8080", "localhost:8080"},
        {"127.0.0.1:80", "127.0.0.1:80"},
        {"  Quotes.Example:81\t", "Quotes.Example:81"},
        {"host:0081", "host:81"},
        {"my_host-2", "my_host-2"},
        {"host:65535", "host:65535"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.raw);
        EXPECT_EQ(parseQuoteServiceHost(c.raw), std::optional<std::string>(c.host));
        EXPECT_EQ(quoteServiceHostFromSetting(c.raw), c.host);
    }
}

TEST(QuoteServiceHost, unusableValueKeepsDefault)
{
    using namespace std::string_view_literals;
    const std::string_view cases[] = {
        "",           "   ",
        "host:",      "host:0",
        "host:65536", "host:123456",
        "host:-1",    "host:8o",
        "host:80:81", "http://host",
        "host/path",  "host:80/x",
        "ho st",      "host\r\nX-Injected: 1",
        "host\n",     "user@host",
        "[::1]:80",   "::1",
        "-host",      "host-.com",
        "a..b",       ".host",
        "host.",      "h\0st"sv,
        "h\xE8st",
    };
    for (const std::string_view raw : cases) {
        SCOPED_TRACE(testing::PrintToString(std::string(raw)));
        EXPECT_EQ(parseQuoteServiceHost(raw), std::nullopt);
        EXPECT_EQ(quoteServiceHostFromSetting(raw), kDefaultQuoteServiceHost);
    }
}

TEST(QuoteServiceHost, labelAndNameLengthLimits)
{
    const std::string label63(63, 'a');
    EXPECT_TRUE(parseQuoteServiceHost(label63 + ".com"));
    EXPECT_FALSE(parseQuoteServiceHost(label63 + "a.com"));

    std::string name253;
    while (name253.size() < 253)
        name253 += name253.empty() ? "a" : ".a";
    ASSERT_EQ(name253.size(), 253u);
    EXPECT_TRUE(parseQuoteServiceHost(name253));
    EXPECT_FALSE(parseQuoteServiceHost(name253 + "a"));
}

TEST(ChartPageUrl, periodsOneToSevenGiveTheirRange)
{
    const std::string_view ranges[] = {"1d", "5d", "3m", "6m", "1y", "2y", "5y"};
    for (int period = 1; period <= 7; ++period) {
        SCOPED_TRACE(period);
        EXPECT_EQ(chartPageUrl("quotes.example:8080", "ENI.MI", period),
                  "http://quotes.example:8080/q/bc?s=ENI.MI&t=" + std::string(ranges[period - 1]));
    }
}

TEST(ChartPageUrl, otherPeriodsGiveNothing)
{
    EXPECT_EQ(chartPageUrl("h", "X", 0), std::nullopt);
    EXPECT_EQ(chartPageUrl("h", "X", 8), std::nullopt);
    EXPECT_EQ(chartPageUrl("h", "X", -1), std::nullopt);
}

TEST(ChartPageUrl, symbolIsTakenUnchanged)
{
    EXPECT_EQ(chartPageUrl("h", "", 1), "http://h/q/bc?s=&t=1d");
    EXPECT_EQ(chartPageUrl("h", " eni.mi", 2), "http://h/q/bc?s= eni.mi&t=5d");
}

} // namespace
} // namespace listorix
