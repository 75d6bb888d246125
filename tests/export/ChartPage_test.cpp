#include "ScratchDir.h"
#include "export/ChartPage.h"

#include <gtest/gtest.h>
#include <regex>

namespace listorix {
namespace {

Date day(int year, int month, int dayOfMonth)
{
    return *Date::fromYmd(year, month, dayOfMonth);
}

TimeOfDay at(int hour, int minute)
{
    return *TimeOfDay::fromHms(hour, minute, 0);
}

// 15 January 2025, 9:05 in Milan.
constexpr std::int64_t kFetchedAt = 1736928300;

std::size_t count(const std::string& text, const std::string& what)
{
    std::size_t n = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

// Nothing the page would run or fetch: no script, no handler, no link to load.
void expectSelfContained(const std::string& page)
{
    for (const char* forbidden : {"<script", "javascript:", " src=", " href=", "url(", "@import", " on"}) {
        EXPECT_EQ(page.find(forbidden), std::string::npos) << forbidden;
    }
    EXPECT_NE(page.find("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">"),
              std::string::npos);
    EXPECT_NE(page.find(std::string(kUnofficialSourceLine)), std::string::npos);
    EXPECT_EQ(page.find('\n'), page.find("\r\n") + 1) << "lines end with CR LF";
}

TEST(ChartPage, showsTheSeriesInItalianFormsWithItsFirstLastLowestAndHighest)
{
    PriceSeries series;
    series.symbol = "FTSEMIB.MI";
    series.name = "FTSE MIB";
    series.currency = "EUR";
    series.points = {{day(2025, 1, 15), at(9, 0), 36150.5},
                     {day(2025, 1, 15), at(9, 5), 36012.25},
                     {day(2025, 1, 15), at(9, 10), 36480.75},
                     {day(2025, 1, 15), at(9, 15), 36200}};
    const std::string page = chartPageHtml(series, ChartPeriod::OneDay, kFetchedAt);
    expectSelfContained(page);
    EXPECT_NE(page.find("<title>FTSEMIB.MI - FTSE MIB - Grafico 1 giorno</title>"), std::string::npos);
    EXPECT_NE(page.find("<h1>FTSEMIB.MI - FTSE MIB</h1>"), std::string::npos) << "no currency for the euro";
    EXPECT_NE(page.find("<h2>Grafico 1 giorno</h2>"), std::string::npos);
    EXPECT_EQ(count(page, "<svg "), 1u);
    EXPECT_NE(page.find("\">9:00</text>"), std::string::npos) << "a day's time axis in h:mm";
    EXPECT_NE(page.find("\">9:15</text>"), std::string::npos);
    // The value axis at round values, in the program's number format, with the
    // decimals of its step.
    for (const char* value : {">36.000</text>", ">36.100</text>", ">36.500</text>"})
        EXPECT_NE(page.find(value), std::string::npos) << value;
    const std::smatch points = [&] {
        std::smatch match;
        std::regex_search(page, match, std::regex("<polyline [^>]*points=\"([^\"]*)\""));
        return match;
    }();
    ASSERT_FALSE(points.empty());
    EXPECT_EQ(count(points[1].str(), ","), 4u) << "one vertex per price";
    EXPECT_NE(page.find("<th>Primo</th><td class=\"v\">36.150,50</td><td>15/01/2025 9:00</td>"),
              std::string::npos);
    EXPECT_NE(page.find("<th>Ultimo</th><td class=\"v\">36.200,00</td><td>15/01/2025 9:15</td>"),
              std::string::npos);
    EXPECT_NE(page.find("<th>Minimo</th><td class=\"v\">36.012,25</td><td>15/01/2025 9:05</td>"),
              std::string::npos);
    EXPECT_NE(page.find("<th>Massimo</th><td class=\"v\">36.480,75</td><td>15/01/2025 9:10</td>"),
              std::string::npos);
    EXPECT_NE(page.find("Dati scaricati il 15/01/2025 alle 9:05."), std::string::npos);
}

TEST(ChartPage, longPeriodsAreDatedPricesKeepTheirDecimalsAndTextsFromTheAnswerAreEscaped)
{
    PriceSeries series;
    series.symbol = "A<B>.MI";
    series.name = "\"Soci\xE9t\xE9\" & <script>alert(1)</script>";
    series.currency = "USD";
    series.points = {{day(2024, 1, 16), std::nullopt, 2.0685},
                     {day(2024, 1, 17), std::nullopt, 2.1},
                     {day(2025, 1, 15), std::nullopt, 1.99}};
    const std::string page = chartPageHtml(series, ChartPeriod::OneYear, kFetchedAt);
    expectSelfContained(page);
    EXPECT_NE(
        page.find("<h1>A&lt;B&gt;.MI - &quot;Soci\xE9t\xE9&quot; &amp; &lt;script&gt;alert(1)&lt;/script&gt; "
                  "(USD)</h1>"),
        std::string::npos);
    EXPECT_NE(page.find("<h2>Grafico 1 anno</h2>"), std::string::npos);
    EXPECT_NE(page.find("\">16/01/2024</text>"), std::string::npos) << "a dated axis";
    EXPECT_NE(page.find("<th>Primo</th><td class=\"v\">2,0685</td><td>16/01/2024</td>"), std::string::npos);
    EXPECT_NE(page.find("<th>Massimo</th><td class=\"v\">2,1000</td><td>17/01/2024</td>"), std::string::npos);
}

TEST(ChartPage, fiveDaysShowDateAndTimeAndASinglePriceStillDraws)
{
    PriceSeries series;
    series.symbol = "ENI.MI";
    series.points = {{day(2025, 1, 9), at(9, 0), 12.5}, {day(2025, 1, 15), at(17, 30), 12.75}};
    const std::string five = chartPageHtml(series, ChartPeriod::FiveDays, kFetchedAt);
    // Each day's first trade: its date, and its time below.
    EXPECT_NE(five.find("<text x=\"90\" y=\"336\" text-anchor=\"start\">09/01/2025</text>\r\n"
                        "<text x=\"90\" y=\"350\" text-anchor=\"start\">9:00</text>"),
              std::string::npos)
        << five;
    EXPECT_NE(five.find("<h1>ENI.MI</h1>"), std::string::npos) << "without a name, the code";

    series.points.resize(1);
    const std::string one = chartPageHtml(series, ChartPeriod::FiveYears, kFetchedAt);
    EXPECT_EQ(count(one, "<svg "), 1u);
    EXPECT_NE(one.find("<th>Minimo</th><td class=\"v\">12,50</td>"), std::string::npos);
}

TEST(ChartPage, theFailurePageSaysWhyInItalian)
{
    const std::string page = chartFailurePageHtml(
        "X&Y.MI", ChartPeriod::TwoYears, "Nessuna connessione con la sorgente web <ora>.", kFetchedAt);
    expectSelfContained(page);
    EXPECT_NE(page.find("<title>X&amp;Y.MI - Grafico 2 anni</title>"), std::string::npos);
    EXPECT_NE(
        page.find("Il grafico non \xE8 disponibile. Nessuna connessione con la sorgente web &lt;ora&gt;."),
        std::string::npos);
    EXPECT_NE(page.find("Richiesta del 15/01/2025 alle 9:05."), std::string::npos);
    EXPECT_EQ(page.find("<svg"), std::string::npos);

    PriceSeries empty;
    empty.symbol = "ENI.MI";
    EXPECT_NE(chartPageHtml(empty, ChartPeriod::OneDay, kFetchedAt).find("non ha dati"), std::string::npos);
}

TEST(ChartPage, writingReplacesThePageOrSaysWhyNot)
{
    test::ScratchDir dir;
    const std::string file = dir.file(std::string(kChartPageFileName)).string();
    EXPECT_TRUE(WriteChartPage(file, "<html>1</html>").written);
    EXPECT_TRUE(WriteChartPage(file, "<html>2</html>").written);
    const ReportWriteResult failed = WriteChartPage(dir.file("missing/grafico.html").string(), "x");
    EXPECT_FALSE(failed.written);
    EXPECT_NE(failed.message.find("Unable to write to"), std::string::npos) << failed.message;
}

} // namespace
} // namespace listorix
