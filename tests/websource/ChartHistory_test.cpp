#include "WebSourceFakes.h"
#include "websource/ChartHistory.h"
#include "websource/CurlTransport.h"
#include "websource/SymbolResolutions.h"
#include "websource/WebAnswerTranslator.h"

#include <gtest/gtest.h>
#include <mutex>
#include <thread>

namespace listorix {
namespace {

using namespace std::chrono_literals;
using test::chartJson;
using test::FakeWebSource;
using test::jsonAnswer;
using test::noAnswer;
using test::pageAnswer;
using test::redirectAnswer;

struct Charts
{
    VirtualLoopClock clock;
    test::FakeWallClock wall;
    FakeWebSource source{clock};
    StopSignal stop;
    WebSourceEndpoints endpoints{"https://chart.test", "https://exchange.test", "", "https://search.test"};
    WebSourceGuards guards{clock};
    MemorySymbolResolutions resolutions;
    ChartHistory charts{guards, resolutions, wall};
    WebAnswerTranslator translator{guards, resolutions, wall};

    ChartHistoryResult fetch(const std::string& symbol, ChartPeriod period = ChartPeriod::OneYear)
    {
        return charts.fetch(symbol, period, endpoints, source, stop);
    }
};

Date day(int year, int month, int dayOfMonth)
{
    return *Date::fromYmd(year, month, dayOfMonth);
}

TimeOfDay at(int hour, int minute)
{
    return *TimeOfDay::fromHms(hour, minute, 0);
}

// The chart endpoint's history answer: `bars` as "stamp,close" pairs.
std::string historyJson(const std::string& meta, const std::string& stamps, const std::string& closes)
{
    return "{\"chart\":{\"result\":[{\"meta\":{" + meta + "},\"timestamp\":[" + stamps +
           "],\"indicators\":{\"quote\":[{\"close\":[" + closes + "]}]}}],\"error\":null}}";
}

TEST(ChartHistory, eachPeriodAsksItsRangeAndIntervalOrTheExchangesSampleAndTimeFrame)
{
    const struct
    {
        ChartPeriod period;
        const char* query;
        const char* sampleTime;
        const char* timeFrame;
    } cases[] = {
        {ChartPeriod::OneDay, "range=1d&interval=5m", "1mm", "1d"},
        {ChartPeriod::FiveDays, "range=5d&interval=15m", "1d", "1m"},
        {ChartPeriod::ThreeMonths, "range=3mo&interval=1d", "1d", "3m"},
        {ChartPeriod::SixMonths, "range=6mo&interval=1d", "1d", "6m"},
        {ChartPeriod::OneYear, "range=1y&interval=1d", "1d", "1y"},
        {ChartPeriod::TwoYears, "range=2y&interval=1wk", "1d", "2y"},
        {ChartPeriod::FiveYears, "range=5y&interval=1wk", "1d", "5y"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.query);
        Charts web;
        web.fetch("ENI.MI", c.period);
        web.fetch("IT0005026163.MI", c.period);
        ASSERT_GE(web.source.asked.size(), 2u);
        EXPECT_EQ(web.source.asked[0].request.url,
                  std::string("https://chart.test/v8/finance/chart/ENI.MI?") + c.query);
        const std::string& body = web.source.asked[1].request.jsonBody;
        EXPECT_NE(body.find(std::string("\"SampleTime\":\"") + c.sampleTime + '"'), std::string::npos)
            << body;
        EXPECT_NE(body.find(std::string("\"TimeFrame\":\"") + c.timeFrame + '"'), std::string::npos) << body;
        EXPECT_NE(body.find("\"Key\":\"IT0005026163.MOT\""), std::string::npos) << body;
    }
}

TEST(ChartHistory, theChartEndpointsBarsBecomeTradesOrDays)
{
    Charts web;
    // 15 January 2025 9:00 and 9:05 in Milan, then a null close.
    web.source.script(
        "ENI.MI",
        {jsonAnswer(historyJson("\"currency\":\"EUR\",\"shortName\":\"  ENI  \",\"gmtoffset\":3600",
                                "1736928000,1736928300,1736928600", "12.5,12.562000274658203,null"))});
    const ChartHistoryResult intraday = web.fetch("ENI.MI", ChartPeriod::OneDay);
    ASSERT_EQ(intraday.failure, ChartFailure::None);
    EXPECT_EQ(intraday.series.symbol, "ENI.MI");
    EXPECT_EQ(intraday.series.name, "ENI");
    EXPECT_EQ(intraday.series.currency, "EUR");
    EXPECT_EQ(intraday.fetchedAt, web.wall.seconds);
    ASSERT_EQ(intraday.series.points.size(), 2u);
    EXPECT_EQ(intraday.series.points[0], (PricePoint{day(2025, 1, 15), at(9, 0), 12.5}));
    EXPECT_EQ(intraday.series.points[1].time, at(9, 5));

    // Daily bars of New York stamped at its opening (14:30 UTC): the exchange's day,
    // no time; a bar stamped before midnight UTC in the exchange's zone keeps its day.
    web.source.script("AAPL",
                      {jsonAnswer(historyJson("\"currency\":\"USD\",\"longName\":\"Apple Inc.\","
                                              "\"gmtoffset\":-18000",
                                              "1705415400,1705501800,1705530000", "563.82,560.53,571.07"))});
    const ChartHistoryResult daily = web.fetch("AAPL", ChartPeriod::ThreeMonths);
    ASSERT_EQ(daily.failure, ChartFailure::None);
    EXPECT_EQ(daily.series.name, "Apple Inc.");
    EXPECT_EQ(daily.series.currency, "USD");
    EXPECT_EQ(daily.series.points, (std::vector<PricePoint>{{day(2024, 1, 16), std::nullopt, 563.82},
                                                            {day(2024, 1, 17), std::nullopt, 560.53},
                                                            {day(2024, 1, 17), std::nullopt, 571.07}}));
}

TEST(ChartHistory, anIsinComesFromTheExchangeNamedByTheChartEndpointOrThroughTheSearch)
{
    Charts web;
    // Daily rows at 00:00 UTC of 8 to 15 January 2025 (weekdays): five days are kept.
    web.source.script(
        "IT0005026163.MOT",
        {jsonAnswer("{\"d\":[[1736294400000,98.1,0,0,0,98.1,1],[1736380800000,98.2,0,0,0,98.2,1],"
                    "[1736467200000,98.3,0,0,0,98.3,1],[1736726400000,98.4,0,0,0,null,1],"
                    "[1736812800000,98.5,0,0,0,98.5,1],[1736899200000,98.6,0,0,0,98.6,1]]}")});
    web.source.script("IT0005026163.MI",
                      {jsonAnswer(chartJson("\"shortName\":\"BTP 2026\",\"regularMarketPrice\":98.6"))});
    const ChartHistoryResult bond = web.fetch("IT0005026163.MI", ChartPeriod::FiveDays);
    ASSERT_EQ(bond.failure, ChartFailure::None);
    EXPECT_EQ(bond.series.name, "BTP 2026");
    EXPECT_EQ(bond.series.points, (std::vector<PricePoint>{{day(2025, 1, 9), std::nullopt, 98.2},
                                                           {day(2025, 1, 10), std::nullopt, 98.3},
                                                           {day(2025, 1, 13), std::nullopt, 98.4},
                                                           {day(2025, 1, 14), std::nullopt, 98.5},
                                                           {day(2025, 1, 15), std::nullopt, 98.6}}));

    web.source.script("LU0211445258.MOT", {jsonAnswer("{\"d\":[]}")});
    web.source.script("search:LU0211445258", {jsonAnswer(test::searchJson("0P0000ABCD"))});
    web.source.script("0P0000ABCD",
                      {jsonAnswer(historyJson("\"shortName\":\"Fondo\"", "1736928000", "5.1"))});
    const ChartHistoryResult fund = web.fetch("LU0211445258.MI");
    ASSERT_EQ(fund.failure, ChartFailure::None);
    EXPECT_EQ(fund.series.symbol, "LU0211445258.MI");
    EXPECT_EQ(fund.series.name, "Fondo");
    EXPECT_EQ(web.resolutions.find("LU0211445258")->symbol, "0P0000ABCD") << "kept for the quotes too";
}

TEST(ChartHistory, failuresSayWhyAndARateLimitRestsTheQuotesToo)
{
    const struct
    {
        const char* what;
        WebResponse answer;
        ChartFailure failure;
        const char* text;
    } cases[] = {
        {"no data", pageAnswer(404, "application/json", "{\"chart\":{\"result\":null}}"),
         ChartFailure::NoData, "La sorgente web non ha dati di questo titolo per il periodo scelto."},
        {"an empty series", jsonAnswer(historyJson("", "", "")), ChartFailure::NoData,
         "La sorgente web non ha dati di questo titolo per il periodo scelto."},
        {"no connection", noAnswer(), ChartFailure::NoConnection,
         "Nessuna connessione con la sorgente web: controlla il collegamento a Internet e il proxy."},
        {"sent to consent", redirectAnswer(307, "https://guce.yahoo.com/consent?x=1"),
         ChartFailure::ConsentRequired,
         "La sorgente web chiede il consenso ai cookie, che il programma non pu\xF2 dare (consenso "
         "richiesto)."},
        {"too many requests", pageAnswer(429, "text/plain", "Edge: Too Many Requests", 300),
         ChartFailure::RateLimited,
         "La sorgente web ha ricevuto troppe richieste e chiede di aspettare: riprova fra 5 minuti."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Charts web;
        web.source.script("ENI.MI", {c.answer});
        const ChartHistoryResult result = web.fetch("ENI.MI");
        EXPECT_EQ(result.failure, c.failure);
        EXPECT_EQ(chartFailureText(result), c.text);
    }

    Charts web;
    web.source.script("ENI.MI", {pageAnswer(429, "text/plain", "Too Many Requests", 120)});
    web.source.script("A2A.MI", {jsonAnswer(chartJson("\"regularMarketPrice\":2"))});
    web.fetch("ENI.MI");
    web.clock.advance(1s);
    const WebTranslation quotes =
        web.translator.translate("http://q/d/quotes.csv?s=A2A.MI&f=sl1", web.endpoints, web.source, web.stop);
    EXPECT_FALSE(quotes.succeeded);
    EXPECT_EQ(quotes.statusText, "Sorgente web non disponibile, ritento fra 2 minuti");
    const ChartHistoryResult resting = web.fetch("A2A.MI");
    EXPECT_EQ(resting.failure, ChartFailure::Resting);
    EXPECT_EQ(chartFailureText(resting),
              "La sorgente web \xE8 a riposo dopo troppi errori: riprova fra 2 minuti.");
    EXPECT_EQ(web.source.asked.size(), 1u) << "nothing asked while the source rests";
}

TEST(ChartHistory, theSameChartIsAskedAtMostOnceAMinute)
{
    Charts web;
    web.source.script("ENI.MI", {jsonAnswer(historyJson("", "1736928000", "12.5"))});
    const ChartHistoryResult first = web.fetch("ENI.MI");
    web.clock.advance(59s);
    EXPECT_EQ(web.fetch("ENI.MI"), first);
    EXPECT_EQ(web.source.asked.size(), 1u);
    web.fetch("ENI.MI", ChartPeriod::FiveYears);
    EXPECT_EQ(web.source.asked.size(), 2u) << "another period is another chart";
    web.clock.advance(1s);
    web.fetch("ENI.MI");
    EXPECT_EQ(web.source.asked.size(), 3u);
}

// A transport for two threads: every answer a price, every request's moment kept.
class SharedTransport final : public WebTransport
{
public:
    explicit SharedTransport(const LoopClock& clock) : m_clock(clock) {}
    WebResponse perform(const WebRequest& request) override
    {
        {
            const std::lock_guard lock(m_mutex);
            m_at.push_back(m_clock.now());
        }
        if (request.url.find("range=1d&interval=1d") != std::string::npos)
            return jsonAnswer(chartJson("\"regularMarketPrice\":1"));
        return jsonAnswer(historyJson("", "1736928000", "1"));
    }
    std::vector<LoopClock::TimePoint> moments()
    {
        const std::lock_guard lock(m_mutex);
        std::vector<LoopClock::TimePoint> sorted = m_at;
        std::sort(sorted.begin(), sorted.end());
        return sorted;
    }

private:
    const LoopClock& m_clock;
    std::mutex m_mutex;
    std::vector<LoopClock::TimePoint> m_at;
};

TEST(ChartHistory, aChartFetchedWhileTheQuotesAreIsPacedWithThem)
{
    SteadyLoopClock clock;
    test::FakeWallClock wall;
    WebSourceGuards guards(clock);
    MemorySymbolResolutions resolutions;
    WebAnswerTranslator translator(guards, resolutions, wall);
    ChartHistory charts(guards, resolutions, wall);
    const WebSourceEndpoints endpoints{"https://chart.test", "https://exchange.test", "",
                                       "https://search.test"};
    SharedTransport transport(clock);
    StopSignal stop;

    WebTranslation quotes;
    std::thread quoting([&] {
        quotes =
            translator.translate("http://q/d/quotes.csv?s=A.MI+B.MI+C.MI&f=sl1", endpoints, transport, stop);
    });
    ChartHistoryResult chart;
    std::thread charting(
        [&] { chart = charts.fetch("D.MI", ChartPeriod::OneYear, endpoints, transport, stop); });
    quoting.join();
    charting.join();

    EXPECT_TRUE(quotes.succeeded);
    EXPECT_EQ(chart.failure, ChartFailure::None);
    const auto moments = transport.moments();
    ASSERT_EQ(moments.size(), 4u);
    // The turns are a quarter second apart; a request leaves a moment after its turn.
    for (std::size_t i = 1; i < moments.size(); ++i)
        EXPECT_GE(moments[i] - moments[i - 1], WebSourceGuards::kRequestSpacing - 10ms);
}

} // namespace
} // namespace listorix
