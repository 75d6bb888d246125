#include "WebSourceFakes.h"
#include "base/LineList.h"
#include "market/IndexAnswer.h"
#include "market/IndexPanel.h"
#include "market/IntradayChart.h"
#include "websource/IndexSuccessors.h"
#include "websource/WebAnswerTranslator.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace listorix {
namespace {

using namespace std::chrono_literals;
using test::chartJson;
using test::FakeWebSource;
using test::jsonAnswer;
using test::noAnswer;
using test::pageAnswer;

const std::string kIndexUrl =
    "http://quotes.example/d/quotes.csv?s=^MIBTEL+^MIB30+^MIDEX+^SPMIB&f=sl1d1t1c1hgp&e=.csv";

std::string categoryUrl(const std::string& symbols)
{
    return "http://quotes.example/d/quotes.csv?s=" + symbols + "&f=snl1d1t1oghpc2v";
}

// 15 January 2025, 9:05 in Milan.
constexpr const char* kWinterMorning = "1736928300";

std::string eniMeta(const std::string& price = "12.345")
{
    return "\"symbol\":\"ENI.MI\",\"shortName\":\"ENI\",\"regularMarketPrice\":" + price +
           ",\"regularMarketTime\":" + kWinterMorning +
           ",\"chartPreviousClose\":12.2,\"regularMarketDayHigh\":12.4,\"regularMarketDayLow\":12.1,"
           "\"regularMarketVolume\":7169128";
}

const std::string kEniLine =
    "\"ENI.MI\";\"ENI\";12.345;1/15/2025;9:05;12.250;12.100;12.400;12.200;+0.145 - +1.19%;7169128";

std::vector<std::string> lines(const std::string& body)
{
    LineList result;
    appendLines(body, result);
    return result;
}

struct Web
{
    VirtualLoopClock clock;
    FakeWebSource source{clock};
    StopSignal stop;
    WebSourceEndpoints endpoints{"https://chart.test", "https://exchange.test", ""};
    WebAnswerTranslator translator{clock};

    WebTranslation translate(const std::string& url)
    {
        return translator.translate(url, endpoints, source, stop);
    }
};

TEST(WebAnswerTranslator, chartAnswersBecomeTheQuoteServicesCsvLines)
{
    const struct
    {
        const char* what;
        std::string json;
        std::string line;
    } cases[] = {
        {"every field; the prices keep the decimals the longest needs", chartJson(eniMeta(), "[12.25]"),
         kEniLine},
        {"the price hint rounds away binary noise; missing high, low, volume and open are N/A",
         chartJson("\"shortName\":\"X\",\"priceHint\":2,\"regularMarketPrice\":34420.69921875,"
                   "\"regularMarketTime\":1736928300,\"chartPreviousClose\":34500"),
         "\"X.MI\";\"X\";34420.70;1/15/2025;9:05;N/A;N/A;N/A;34500.00;-79.30 - -0.23%;N/A"},
        {"nulls are absent, never 0; without a short name the long name",
         chartJson("\"longName\":\"Long Name SpA\",\"regularMarketPrice\":2.5,\"regularMarketTime\":null,"
                   "\"chartPreviousClose\":null,\"regularMarketDayHigh\":null,\"regularMarketVolume\":0",
                   "[null]"),
         "\"X.MI\";\"Long Name SpA\";2.50;N/A;N/A;N/A;N/A;N/A;N/A;N/A;0"},
        {"summer time, no name at all: the symbol stands in; no change is +0.00",
         chartJson("\"regularMarketPrice\":3,\"regularMarketTime\":1752586200,\"chartPreviousClose\":3",
                   "[]"),
         "\"X.MI\";\"X.MI\";3.00;7/15/2025;15:30;N/A;N/A;N/A;3.00;+0.00 - +0.00%;N/A"},
        {"the name in the program's code page, with nothing that would cut the line",
         chartJson("\"shortName\":\"Societ\\u00e0 \\\"A\\\"; B\",\"regularMarketPrice\":1.25,"
                   "\"regularMarketDayLow\":\"1.1\""),
         "\"X.MI\";\"Societ\xE0 'A', B\";1.25;N/A;N/A;N/A;N/A;N/A;N/A;N/A;N/A"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Web web;
        const std::string symbol = c.line.substr(1, c.line.find('"', 1) - 1);
        web.source.script(symbol, {jsonAnswer(c.json)});
        const WebTranslation result = web.translate(categoryUrl(symbol));
        ASSERT_TRUE(result.succeeded);
        EXPECT_EQ(result.body, c.line + "\r\n");
        EXPECT_EQ(result.statusText, "");
        ASSERT_EQ(web.source.asked.size(), 1u);
        EXPECT_EQ(web.source.asked[0].request.url,
                  "https://chart.test/v8/finance/chart/" + symbol + "?range=1d&interval=1d");
        EXPECT_TRUE(web.source.asked[0].request.jsonBody.empty());
    }
}

TEST(WebAnswerTranslator, aPageInsteadOfDataOrAnEmptyResultFailsOnlyItsSymbol)
{
    const struct
    {
        const char* what;
        WebResponse answer;
    } cases[] = {
        {"an HTML page with 200",
         pageAnswer(200, "text/html; charset=utf-8", "<!DOCTYPE html><html>Oops</html>")},
        {"a consent page with 200 and no type", pageAnswer(200, "", "\r\n  <html><form action=\"consent\">")},
        {"a too-many-requests text with 200", pageAnswer(200, "text/plain", "Too Many Requests\r\n")},
        {"429", pageAnswer(429, "text/plain", "Too Many Requests", 30)},
        {"404 with the endpoint's error object",
         pageAnswer(404, "application/json",
                    "{\"chart\":{\"result\":null,\"error\":{\"code\":\"Not Found\"}}}")},
        {"500", pageAnswer(500, "text/plain", "Internal Server Error")},
        {"200 with a null result", jsonAnswer("{\"chart\":{\"result\":null,\"error\":{\"code\":\"x\"}}}")},
        {"200 with an empty result", jsonAnswer("{\"chart\":{\"result\":[],\"error\":null}}")},
        {"a result whose price is null",
         jsonAnswer(chartJson("\"regularMarketPrice\":null,\"shortName\":\"B\""))},
        {"a result without meta", jsonAnswer("{\"chart\":{\"result\":[{}]}}")},
        {"truncated JSON", jsonAnswer("{\"chart\":{\"result\":[{\"meta\":{\"regularMarketPrice\":1")},
        {"JSON that is not an object", jsonAnswer("[1,2,3]")},
        {"an empty body", jsonAnswer("")},
        {"no answer at all", noAnswer()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Web web;
        web.source.script("ENI.MI", {jsonAnswer(chartJson(eniMeta(), "[12.25]"))});
        web.source.script("BAD.MI", {c.answer});
        const WebTranslation result = web.translate(categoryUrl("ENI.MI+BAD.MI"));
        ASSERT_TRUE(result.succeeded);
        EXPECT_EQ(lines(result.body),
                  (std::vector<std::string>{kEniLine,
                                            "\"BAD.MI\";\"BAD.MI\";N/A;N/A;N/A;N/A;N/A;N/A;N/A;N/A;N/A"}));
        EXPECT_EQ(result.statusText, "Sorgente web: 1 simbolo non aggiornato");
    }
}

TEST(WebAnswerTranslator, aFailedSymbolKeepsTheValuesOfItsLastGoodAnswer)
{
    Web web;
    web.source.script("ENI.MI", {jsonAnswer(chartJson(eniMeta(), "[12.25]")),
                                 pageAnswer(200, "text/html", "<html>consent</html>")});
    web.source.script("A2A.MI", {jsonAnswer(chartJson("\"shortName\":\"A2A\",\"regularMarketPrice\":2"))});
    const std::string url = categoryUrl("ENI.MI+A2A.MI");
    const WebTranslation first = web.translate(url);
    ASSERT_TRUE(first.succeeded);
    EXPECT_EQ(first.statusText, "");

    web.clock.advance(61s);
    const WebTranslation second = web.translate(url);
    ASSERT_TRUE(second.succeeded);
    EXPECT_EQ(second.body, first.body);
    EXPECT_EQ(second.statusText, "Sorgente web: 1 simbolo non aggiornato");
    EXPECT_EQ(web.source.asked.size(), 4u);

    // The same security in another request keeps them too: they belong to the symbol.
    web.clock.advance(61s);
    EXPECT_EQ(lines(web.translate(categoryUrl("ENI.MI+A2A.MI+ENI.MI")).body)[2], kEniLine);
}

TEST(WebAnswerTranslator, indexRowsAskTheSuccessorsAndTheIndexParserReadsEveryRow)
{
    Web web;
    const std::string allShare(*indexSuccessor("^MIBTEL"));
    const std::string midCap(*indexSuccessor("^MIDEX"));
    const std::string blueChips(*indexSuccessor("^spmib"));
    const auto index = [](const char* price, const char* previous) {
        return jsonAnswer(chartJson(std::string("\"priceHint\":2,\"regularMarketPrice\":") + price +
                                    ",\"regularMarketTime\":1736928300,\"chartPreviousClose\":" + previous +
                                    ",\"regularMarketDayHigh\":" + price +
                                    ",\"regularMarketDayLow\":" + previous));
    };
    web.source.script(allShare, {index("36150.5", "36000")});
    web.source.script(midCap, {index("49000", "49490")});
    web.source.script(blueChips, {index("34000", "34000")});

    const WebTranslation result = web.translate(kIndexUrl);
    ASSERT_TRUE(result.succeeded);
    EXPECT_EQ(result.statusText, "");
    EXPECT_EQ(web.source.askedKeys(), (std::vector<std::string>{allShare, midCap, blueChips}));
    const LineList answer = lines(result.body);
    EXPECT_EQ(answer, (LineList{"\"^MIBTEL\";36150.50;1/15/2025;9:05;+150.50;36150.50;36000.00;36000.00",
                                "\"^MIB30\";N/A;N/A;;N/A;N/A;N/A;N/A",
                                "\"^MIDEX\";49000.00;1/15/2025;9:05;-490.00;49000.00;49490.00;49490.00",
                                "\"^SPMIB\";34000.00;1/15/2025;9:05;+0.00;34000.00;34000.00;34000.00"}));

    IndexPanel panel;
    IntradayChart chart;
    IndexAnswerParser parser{panel, chart, [] {}};
    ASSERT_EQ(parser.ParseIndexAnswer(answer, AnswerOrigin::Live), AnswerVerdict::Read);
    EXPECT_EQ(panel.dateHeader(), "Valori del 15/01/2025");
    EXPECT_EQ(panel.text(MarketIndex::MIBTEL, IndexField::Change), "+0,42");
    EXPECT_EQ(panel.text(MarketIndex::MIBTEL, IndexField::Time), "9:05");
    for (const IndexField field : IndexPanel::kFields)
        EXPECT_EQ(panel.text(MarketIndex::MIB30, field), "");
    EXPECT_EQ(panel.text(MarketIndex::MIDEX, IndexField::Change), "-0,99");
    EXPECT_EQ(panel.text(MarketIndex::SPMIB, IndexField::Value), "34.000");
}

TEST(WebAnswerTranslator, indexSymbolsWithoutASuccessorStayEmptyWithoutARequest)
{
    Web web;
    const WebTranslation result = web.translate(categoryUrl("^FOO+^MIB30"));
    ASSERT_TRUE(result.succeeded);
    EXPECT_EQ(lines(result.body), (LineList{"\"^FOO\";\"^FOO\";N/A;N/A;;N/A;N/A;N/A;N/A;N/A;N/A",
                                            "\"^MIB30\";\"^MIB30\";N/A;N/A;;N/A;N/A;N/A;N/A;N/A;N/A"}));
    EXPECT_TRUE(web.source.asked.empty());
}

TEST(WebAnswerTranslator, isinSymbolsAskTheExchangesChartServiceByPost)
{
    const struct
    {
        const char* what;
        std::string rows;
        std::string line; // empty: the symbol failed
    } cases[] = {
        {"today's row and the close before",
         "[[1736841900000,98.5,98.4,98.7,98.3,98.55,1000],[1736928300000,98.9,98.6,99.0,98.5,98.88,2500]]",
         "98.90;1/15/2025;9:05;98.60;98.50;99.00;98.55;+0.35 - +0.36%;2500"},
        {"a null price gives way to the close, a null close to the price; nulls elsewhere are N/A",
         "[[1736841900000,98.4,98.4,98.7,98.3,null,1000],[1736928300000,null,null,null,null,98.88,null]]",
         "98.88;1/15/2025;9:05;N/A;N/A;N/A;98.40;+0.48 - +0.49%;N/A"},
        {"one row: no previous close", "[[1736928300000,98.9]]",
         "98.90;1/15/2025;9:05;N/A;N/A;N/A;N/A;N/A;N/A"},
        {"no rows", "[]", ""},
        {"a last row without any price", "[[1736928300000,null,1,2,3,null,4]]", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Web web;
        web.source.script("IT0005026163.MOT", {jsonAnswer("{\"d\":" + c.rows + "}")});
        web.source.script("ENI.MI", {jsonAnswer(chartJson(eniMeta(), "[12.25]"))});
        const WebTranslation result = web.translate(categoryUrl("it0005026163.MI+ENI.MI"));
        ASSERT_TRUE(result.succeeded);
        const std::string expected = c.line.empty() ? "N/A;N/A;N/A;N/A;N/A;N/A;N/A;N/A;N/A" : c.line;
        EXPECT_EQ(lines(result.body)[0], "\"it0005026163.MI\";\"it0005026163.MI\";" + expected);
        EXPECT_EQ(result.statusText, c.line.empty() ? "Sorgente web: 1 simbolo non aggiornato" : "");
        // The exchange's answer, then the chart endpoint (for the name, or in its
        // place when the exchange has nothing), then the share.
        EXPECT_EQ(web.source.askedKeys(),
                  (std::vector<std::string>{"IT0005026163.MOT", "it0005026163.MI", "ENI.MI"}));
        const WebRequest& post = web.source.asked[0].request;
        EXPECT_EQ(post.url, "https://exchange.test/charts/services/ChartWService.asmx/GetPricesWithVolume");
        EXPECT_NE(post.jsonBody.find("\"SampleTime\":\"1d\""), std::string::npos) << post.jsonBody;
        EXPECT_NE(post.jsonBody.find("\"TimeFrame\":\"1m\""), std::string::npos) << post.jsonBody;
        EXPECT_EQ(web.source.asked[0].key, "IT0005026163.MOT");
    }
}

TEST(WebAnswerTranslator, anIsinIsNamedByTheChartEndpointOnceARunOrQuotedByItWhenTheExchangeHasNothing)
{
    Web web;
    const std::string bondRows = "{\"d\":[[1736841900000,98.5],[1736928300000,98.9,98.6,99,98.5,98.9,2500]]}";
    web.source.script("IT0005026163.MOT", {jsonAnswer(bondRows)});
    web.source.script(
        "IT0005026163.MI",
        {jsonAnswer(chartJson("\"shortName\":\"BTP 2026\",\"priceHint\":3,\"regularMarketPrice\":98.9"))});
    web.source.script("LU0211445258.MOT", {jsonAnswer("{\"d\":[]}")});
    web.source.script("LU0211445258.MI",
                      {jsonAnswer(chartJson("\"shortName\":\"Fondo\",\"regularMarketPrice\":5.123,"
                                            "\"regularMarketTime\":1736928300"))});
    const std::string url = "http://q/d/quotes.csv?s=IT0005026163.MI+LU0211445258.MI&f=snl1d1t1p";
    const WebTranslation first = web.translate(url);
    ASSERT_TRUE(first.succeeded);
    EXPECT_EQ(lines(first.body), (LineList{"\"IT0005026163.MI\";\"BTP 2026\";98.900;1/15/2025;9:05;98.500",
                                           "\"LU0211445258.MI\";\"Fondo\";5.123;1/15/2025;9:05;N/A"}));
    EXPECT_EQ(web.source.askedKeys(), (std::vector<std::string>{"IT0005026163.MOT", "IT0005026163.MI",
                                                                "LU0211445258.MOT", "LU0211445258.MI"}));

    web.clock.advance(61s);
    const WebTranslation second = web.translate(url);
    EXPECT_EQ(second.body, first.body);
    EXPECT_EQ(web.source.askedKeys().size(), 7u) << "the bond's name is not asked again";
    EXPECT_EQ(web.source.askedKeys()[4], "IT0005026163.MOT");
}

TEST(WebAnswerTranslator, onlySymbolsShapedLikeAnIsinWithAValidCheckDigitAreIsins)
{
    const struct
    {
        const char* symbol;
        const char* isin; // empty: not an ISIN
    } cases[] = {
        {"IT0005026163", "IT0005026163"},
        {"IT0005026163.MI", "IT0005026163"},
        {"de000s868531.mi", "DE000S868531"},
        {"NLBNPI062819.MI", "NLBNPI062819"},
        {"IT0005026164.MI", ""},
        {"ENI.MI", ""},
        {"IT000502616.MI", ""},
        {"IT0005026163.", ""},
        {"IT0005026163.M1", ""},
        {"1T0005026163", ""},
        {"IT000502616X", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.symbol);
        EXPECT_EQ(isinOf(c.symbol).value_or(""), c.isin);
    }
}

TEST(WebAnswerTranslator, requestsAreAQuarterSecondApartAndARequestIsAskedAtMostOnceAMinute)
{
    Web web;
    for (const char* symbol : {"A.MI", "B.MI", "C.MI"})
        web.source.script(symbol, {jsonAnswer(chartJson("\"regularMarketPrice\":1"))});
    const std::string url = categoryUrl("A.MI+B.MI+C.MI");
    const WebTranslation first = web.translate(url);
    ASSERT_TRUE(first.succeeded);
    ASSERT_EQ(web.source.asked.size(), 3u);
    EXPECT_EQ(web.source.asked[1].at - web.source.asked[0].at, 250ms);
    EXPECT_EQ(web.source.asked[2].at - web.source.asked[1].at, 250ms);

    // Whatever the countdowns say, within the minute the same answer comes back unasked.
    web.clock.advance(59s);
    const WebTranslation again = web.translate(url);
    EXPECT_TRUE(again.succeeded);
    EXPECT_EQ(again.body, first.body);
    EXPECT_EQ(web.source.asked.size(), 3u);

    // Another request is not held back by the minute, only by the quarter second.
    web.translate(categoryUrl("A.MI"));
    EXPECT_EQ(web.source.asked.size(), 4u);

    web.clock.advance(1s);
    web.translate(url);
    EXPECT_EQ(web.source.asked.size(), 7u);
    EXPECT_GE(web.source.asked[4].at - web.source.asked[3].at, 250ms);
}

TEST(WebAnswerTranslator, tooManyRequestsEndsTheCycleAndRestsForRetryAfter)
{
    const struct
    {
        const char* what;
        WebResponse answer;
        std::chrono::seconds rest;
        const char* restingStatus; // a second after the limit
    } cases[] = {
        {"429 with Retry-After", pageAnswer(429, "text/plain", "Too Many Requests", 300), 300s,
         "Sorgente web non disponibile, ritento fra 5 minuti"},
        {"429 without Retry-After rests a minute", pageAnswer(429, "", ""), 60s,
         "Sorgente web non disponibile, ritento fra 1 minuto"},
        {"a too-many-requests page with 200", pageAnswer(200, "text/html", "<h1>Too many requests</h1>"), 60s,
         "Sorgente web non disponibile, ritento fra 1 minuto"},
        {"an outsized Retry-After is held to an hour", pageAnswer(429, "", "", 86400), 3600s,
         "Sorgente web non disponibile, ritento fra 60 minuti"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Web web;
        web.source.script("A.MI", {jsonAnswer(chartJson("\"regularMarketPrice\":1"))});
        web.source.script("B.MI", {c.answer, jsonAnswer(chartJson("\"regularMarketPrice\":2"))});
        web.source.script("C.MI", {jsonAnswer(chartJson("\"regularMarketPrice\":3"))});
        const WebTranslation limited = web.translate(categoryUrl("A.MI+B.MI+C.MI"));
        EXPECT_TRUE(limited.succeeded);
        EXPECT_EQ(limited.statusText, "Sorgente web: 2 simboli non aggiornati");
        EXPECT_EQ(web.source.askedKeys(), (std::vector<std::string>{"A.MI", "B.MI"}));

        const auto limitedAt = web.source.asked[1].at;
        web.clock.advance(1s);
        const WebTranslation resting = web.translate(categoryUrl("C.MI"));
        EXPECT_FALSE(resting.succeeded);
        EXPECT_EQ(resting.body, "");
        EXPECT_EQ(resting.statusText, c.restingStatus);
        EXPECT_EQ(web.source.asked.size(), 2u);

        web.clock.advance(limitedAt + c.rest - web.clock.now());
        EXPECT_TRUE(web.translate(categoryUrl("C.MI")).succeeded);
        EXPECT_EQ(web.source.asked.size(), 3u);
    }
}

TEST(WebAnswerTranslator, threeFailedCyclesInARowRestTheSourceTwoFourEightUpToThirtyMinutes)
{
    Web web;
    web.source.script("A.MI", {pageAnswer(503, "text/html", "<html>down</html>")});
    const std::string url = categoryUrl("A.MI");
    const auto failedCycle = [&](const char* status) {
        const std::size_t before = web.source.asked.size();
        const WebTranslation result = web.translate(url);
        EXPECT_FALSE(result.succeeded);
        EXPECT_EQ(result.body, "");
        EXPECT_EQ(result.statusText, status);
        EXPECT_EQ(web.source.asked.size(), before + 1) << "the cycle asked the source";
    };
    failedCycle("Sorgente web non disponibile, ritento fra 1 minuto");
    web.clock.advance(60s);
    failedCycle("Sorgente web non disponibile, ritento fra 1 minuto");
    web.clock.advance(60s);
    failedCycle("Sorgente web non disponibile, ritento fra 2 minuti");

    // While the source rests nothing is asked, whatever the countdowns say.
    web.clock.advance(60s);
    const WebTranslation resting = web.translate(url);
    EXPECT_FALSE(resting.succeeded);
    EXPECT_EQ(resting.statusText, "Sorgente web non disponibile, ritento fra 1 minuto");
    EXPECT_EQ(web.source.asked.size(), 3u);

    const struct
    {
        std::chrono::minutes rested;
        const char* next;
    } steps[] = {{2min, "4 minuti"},
                 {4min, "8 minuti"},
                 {8min, "16 minuti"},
                 {16min, "30 minuti"},
                 {30min, "30 minuti"}};
    for (const auto& step : steps) {
        SCOPED_TRACE(step.next);
        web.clock.advance(step.rested - 60s);
        failedCycle((std::string(kWebUnavailablePrefix) + step.next).c_str());
        web.clock.advance(60s);
    }

    // An answer ends the run of failures: the next failure is the first again.
    web.clock.advance(30min);
    web.source.script("A.MI", {jsonAnswer(chartJson("\"regularMarketPrice\":1")),
                               pageAnswer(503, "text/html", "<html>down</html>")});
    EXPECT_TRUE(web.translate(url).succeeded);
    web.clock.advance(60s);
    failedCycle("Sorgente web non disponibile, ritento fra 1 minuto");
}

TEST(WebAnswerTranslator, anUnreachableHostIsNotAskedAgainInTheSameCycle)
{
    Web web;
    web.source.script("A.MI", {noAnswer()});
    web.source.script("B.MI", {noAnswer()});
    web.source.script("IT0005026163.MOT", {jsonAnswer("{\"d\":[[1736928300000,98.9]]}")});
    const WebTranslation result = web.translate(categoryUrl("A.MI+B.MI+IT0005026163.MI"));
    EXPECT_TRUE(result.succeeded);
    EXPECT_EQ(result.statusText, "Sorgente web: 2 simboli non aggiornati");
    EXPECT_EQ(web.source.askedKeys(), (std::vector<std::string>{"A.MI", "IT0005026163.MOT"}));
}

TEST(WebAnswerTranslator, aStopEndsTheCycleWithTheKeptValuesAndCountsNothing)
{
    Web web;
    web.source.script("A.MI", {jsonAnswer(chartJson("\"regularMarketPrice\":1"))});
    const std::string url = categoryUrl("A.MI+B.MI");
    ASSERT_TRUE(web.translate(url).succeeded);

    web.clock.advance(61s);
    web.stop.stop();
    const WebTranslation stopped = web.translate(url);
    EXPECT_TRUE(stopped.succeeded);
    EXPECT_EQ(lines(stopped.body), (LineList{"\"A.MI\";\"A.MI\";1.00;N/A;N/A;N/A;N/A;N/A;N/A;N/A;N/A",
                                             "\"B.MI\";\"B.MI\";N/A;N/A;N/A;N/A;N/A;N/A;N/A;N/A;N/A"}));
    EXPECT_EQ(web.source.asked.size(), 2u);

    // The stopped cycle is not kept: the next one asks again at once.
    StopSignal fresh;
    web.translator.translate(url, web.endpoints, web.source, fresh);
    EXPECT_EQ(web.source.asked.size(), 4u);
}

TEST(WebAnswerTranslator, aRequestWithoutSymbolsFails)
{
    Web web;
    const WebTranslation result = web.translate("http://quotes.example/d/quotes.csv");
    EXPECT_FALSE(result.succeeded);
    EXPECT_TRUE(web.source.asked.empty());
}

} // namespace
} // namespace listorix
