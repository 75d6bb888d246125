#include "WebSourceFakes.h"
#include "base/LineList.h"
#include "market/IndexAnswer.h"
#include "market/IndexPanel.h"
#include "market/IntradayChart.h"
#include "websource/IndexSuccessors.h"
#include "websource/SymbolResolutions.h"
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
using test::redirectAnswer;

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
    test::FakeWallClock wall;
    FakeWebSource source{clock};
    StopSignal stop;
    WebSourceEndpoints endpoints{"https://chart.test", "https://exchange.test", "", "https://search.test"};
    WebSourceGuards guards{clock};
    MemorySymbolResolutions resolutions;
    WebAnswerTranslator translator{guards, resolutions, wall};

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
        {"single-precision noise is no decimal; missing high, low, volume and open are N/A",
         chartJson("\"shortName\":\"X\",\"priceHint\":2,\"regularMarketPrice\":34420.69921875,"
                   "\"regularMarketTime\":1736928300,\"chartPreviousClose\":34500"),
         "\"X.MI\";\"X\";34420.70;1/15/2025;9:05;N/A;N/A;N/A;34500.00;-79.30 - -0.23%;N/A"},
        {"a series value with single-precision noise is the decimal it stands for",
         chartJson("\"shortName\":\"X\",\"regularMarketPrice\":11.75", "[11.687999725341797]"),
         "\"X.MI\";\"X\";11.750;N/A;N/A;11.688;N/A;N/A;N/A;N/A;N/A"},
        {"the price hint is a display hint: values keep their own decimals",
         chartJson("\"shortName\":\"A2A\",\"priceHint\":2,\"regularMarketPrice\":2.0685,"
                   "\"regularMarketTime\":1736928300,\"previousClose\":2.05",
                   "[2.0415]"),
         "\"X.MI\";\"A2A\";2.0685;1/15/2025;9:05;2.0415;N/A;N/A;2.0500;+0.0185 - +0.90%;N/A"},
        {"the price hint asks for more decimals than the values need",
         chartJson("\"shortName\":\"X\",\"priceHint\":3,\"regularMarketPrice\":12.5"),
         "\"X.MI\";\"X\";12.500;N/A;N/A;N/A;N/A;N/A;N/A;N/A;N/A"},
        {"previousClose, the last session's close, wins over chartPreviousClose, the window's",
         chartJson("\"shortName\":\"X\",\"regularMarketPrice\":10.2,\"regularMarketTime\":1736928300,"
                   "\"chartPreviousClose\":9.5,\"previousClose\":10"),
         "\"X.MI\";\"X\";10.20;1/15/2025;9:05;N/A;N/A;N/A;10.00;+0.20 - +2.00%;N/A"},
        {"padding blanks are trimmed from the short name",
         chartJson("\"shortName\":\"  ENI SPA            \",\"longName\":\"Eni S.p.A.\","
                   "\"regularMarketPrice\":12"),
         "\"X.MI\";\"ENI SPA\";12.00;N/A;N/A;N/A;N/A;N/A;N/A;N/A;N/A"},
        {"a blank short name gives way to the long name, trimmed too",
         chartJson("\"shortName\":\"   \",\"longName\":\" Eni S.p.A. \",\"regularMarketPrice\":12"),
         "\"X.MI\";\"Eni S.p.A.\";12.00;N/A;N/A;N/A;N/A;N/A;N/A;N/A;N/A"},
        {"a quote not in euro names its currency after the name (in euro it does not)",
         chartJson("\"currency\":\"USD\",\"shortName\":\"Apple Inc.\",\"regularMarketPrice\":230.5"),
         "\"X.MI\";\"Apple Inc. (USD)\";230.50;N/A;N/A;N/A;N/A;N/A;N/A;N/A;N/A"},
        {"no name and not in euro: the symbol and the currency",
         chartJson("\"currency\":\"GBp\",\"regularMarketPrice\":230.5"),
         "\"X.MI\";\"X.MI (GBp)\";230.50;N/A;N/A;N/A;N/A;N/A;N/A;N/A;N/A"},
        {"keys missing altogether, an empty quote series and no timestamp read as no value",
         "{\"chart\":{\"result\":[{\"meta\":{\"currency\":\"EUR\",\"regularMarketPrice\":4.5},"
         "\"indicators\":{\"quote\":[{}]}}],\"error\":null}}",
         "\"X.MI\";\"X.MI\";4.50;N/A;N/A;N/A;N/A;N/A;N/A;N/A;N/A"},
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
        {"a redirection elsewhere, not followed",
         redirectAnswer(302, "https://finance.example/quote/BAD.MI")},
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

TEST(WebAnswerTranslator, aRedirectionToAConsentHostFailsItsSymbolAndSaysConsentIsRequired)
{
    Web web;
    web.source.script("ENI.MI", {jsonAnswer(chartJson(eniMeta(), "[12.25]"))});
    web.source.script(
        "BAD.MI",
        {redirectAnswer(307, "https://guce.yahoo.com/consent?brandType=eu&gcrumb=x&done=https%3A%2F%2F"
                             "query1.finance.yahoo.com%2Fv8%2Ffinance%2Fchart%2FBAD.MI")});
    const WebTranslation result = web.translate(categoryUrl("BAD.MI+ENI.MI"));
    ASSERT_TRUE(result.succeeded);
    EXPECT_EQ(lines(result.body)[1], kEniLine) << "the cycle goes on";
    EXPECT_EQ(result.statusText, "Sorgente web: 1 simbolo non aggiornato (consenso richiesto)");
    EXPECT_EQ(web.source.asked.size(), 2u) << "the redirection is not followed";

    // Every symbol sent to consent: the cycle fails, and says why.
    web.clock.advance(61s);
    web.source.script("ENI.MI",
                      {redirectAnswer(307, "https://consent.yahoo.com/v2/collectConsent?sessionId=1")});
    const WebTranslation refused = web.translate(categoryUrl("BAD.MI+ENI.MI"));
    EXPECT_FALSE(refused.succeeded);
    EXPECT_EQ(refused.statusText, "Sorgente web non disponibile, ritento fra 1 minuto (consenso richiesto)");
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
        {"daily rows stamped at 00:00 UTC: the trading day as the date, no time of day",
         "[[1736812800000,98.5,98.4,98.7,98.3,98.55,1000],[1736899200000,98.9,98.6,99.0,98.5,98.88,2500]]",
         "98.90;1/15/2025;;98.60;98.50;99.00;98.55;+0.35 - +0.36%;2500"},
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
        // place, after a search that finds nothing, when the exchange has nothing),
        // then the share.
        const auto expectedKeys =
            c.line.empty() ? std::vector<std::string>{"IT0005026163.MOT", "search:IT0005026163",
                                                      "it0005026163.MI", "ENI.MI"}
                           : std::vector<std::string>{"IT0005026163.MOT", "it0005026163.MI", "ENI.MI"};
        EXPECT_EQ(web.source.askedKeys(), expectedKeys);
        const WebRequest& post = web.source.asked[0].request;
        EXPECT_EQ(post.url, "https://exchange.test/charts/services/ChartWService.asmx/GetPricesWithVolume");
        EXPECT_NE(post.jsonBody.find("\"SampleTime\":\"1d\""), std::string::npos) << post.jsonBody;
        EXPECT_NE(post.jsonBody.find("\"TimeFrame\":\"1m\""), std::string::npos) << post.jsonBody;
        EXPECT_EQ(web.source.asked[0].key, "IT0005026163.MOT");
    }
}

TEST(WebAnswerTranslator, anIsinIsNamedByTheChartEndpointOnceARunOrFoundThroughTheSearchOnce)
{
    Web web;
    const std::string bondRows = "{\"d\":[[1736841900000,98.5],[1736928300000,98.9,98.6,99,98.5,98.9,2500]]}";
    web.source.script("IT0005026163.MOT", {jsonAnswer(bondRows)});
    web.source.script(
        "IT0005026163.MI",
        {jsonAnswer(chartJson("\"shortName\":\"BTP 2026\",\"priceHint\":3,\"regularMarketPrice\":98.9"))});
    web.source.script("LU0211445258.MOT", {jsonAnswer("{\"d\":[]}")});
    web.source.script("search:LU0211445258", {jsonAnswer(test::searchJson("0P0000ABCD"))});
    web.source.script("0P0000ABCD",
                      {jsonAnswer(chartJson("\"shortName\":\"Fondo\",\"regularMarketPrice\":5.123,"
                                            "\"regularMarketTime\":1736928300"))});
    const std::string url = "http://q/d/quotes.csv?s=IT0005026163.MI+LU0211445258.MI&f=snl1d1t1p";
    const WebTranslation first = web.translate(url);
    ASSERT_TRUE(first.succeeded);
    // The table keeps the user's codes.
    EXPECT_EQ(lines(first.body), (LineList{"\"IT0005026163.MI\";\"BTP 2026\";98.900;1/15/2025;9:05;98.500",
                                           "\"LU0211445258.MI\";\"Fondo\";5.123;1/15/2025;9:05;N/A"}));
    EXPECT_EQ(web.source.askedKeys(),
              (std::vector<std::string>{"IT0005026163.MOT", "IT0005026163.MI", "LU0211445258.MOT",
                                        "search:LU0211445258", "0P0000ABCD"}));
    EXPECT_EQ(web.source.asked[3].request.url,
              "https://search.test/v1/finance/search?q=LU0211445258&quotesCount=1&newsCount=0");
    EXPECT_EQ(web.resolutions.find("LU0211445258"), (SymbolResolution{"0P0000ABCD", web.wall.seconds}));

    web.clock.advance(61s);
    const WebTranslation second = web.translate(url);
    EXPECT_EQ(second.body, first.body);
    EXPECT_EQ(web.source.askedKeys(),
              (std::vector<std::string>{"IT0005026163.MOT", "IT0005026163.MI", "LU0211445258.MOT",
                                        "search:LU0211445258", "0P0000ABCD", "IT0005026163.MOT",
                                        "LU0211445258.MOT", "0P0000ABCD"}))
        << "neither the bond's name nor the fund's symbol is asked again";

    // A later run finds the symbol where the search's results are kept.
    Web next;
    next.resolutions.remember("LU0211445258", SymbolResolution{"0P0000ABCD", 1});
    next.source.script("LU0211445258.MOT", {jsonAnswer("{\"d\":[]}")});
    next.source.script("0P0000ABCD", {jsonAnswer(chartJson("\"regularMarketPrice\":5.2"))});
    ASSERT_TRUE(next.translate(categoryUrl("LU0211445258.MI")).succeeded);
    EXPECT_EQ(next.source.askedKeys(), (std::vector<std::string>{"LU0211445258.MOT", "0P0000ABCD"}));
}

TEST(WebAnswerTranslator, aSearchThatFindsNothingIsKeptForADayAndAFailedOneNotAtAll)
{
    Web web;
    web.source.script("LU0211445258.MOT", {jsonAnswer("{\"d\":[]}")});
    web.source.script("search:LU0211445258",
                      {pageAnswer(500, "text/html", "<html>oops</html>"), jsonAnswer(test::searchJson())});
    // Found nothing: the chart endpoint is asked for the symbol as written.
    web.source.script("LU0211445258.MI", {jsonAnswer(chartJson("\"regularMarketPrice\":5.2"))});
    const std::string url = categoryUrl("LU0211445258.MI");
    const auto cycleAsks = [&] {
        const std::size_t before = web.source.asked.size();
        web.translate(url);
        web.clock.advance(61s);
        std::vector<std::string> keys = web.source.askedKeys();
        return std::vector<std::string>(keys.begin() + static_cast<std::ptrdiff_t>(before), keys.end());
    };
    const std::vector<std::string> searched{"LU0211445258.MOT", "search:LU0211445258", "LU0211445258.MI"};
    const std::vector<std::string> kept{"LU0211445258.MOT", "LU0211445258.MI"};
    EXPECT_EQ(cycleAsks(), searched) << "a search that failed";
    EXPECT_FALSE(web.resolutions.find("LU0211445258"));
    EXPECT_EQ(cycleAsks(), searched) << "is asked again; this one finds nothing";
    EXPECT_EQ(web.resolutions.find("LU0211445258"), (SymbolResolution{"", web.wall.seconds}));
    web.wall.seconds += 23 * 3600;
    EXPECT_EQ(cycleAsks(), kept) << "nothing found stands for a day";
    web.wall.seconds += 3600;
    EXPECT_EQ(cycleAsks(), searched) << "then the search is asked again";
}

TEST(WebAnswerTranslator, theSearchSharesTheSourcesRateLimitAndRest)
{
    Web web;
    web.source.script("LU0211445258.MOT", {jsonAnswer("{\"d\":[]}")});
    web.source.script("search:LU0211445258", {pageAnswer(429, "text/plain", "Edge: Too Many Requests", 300)});
    web.source.script("ENI.MI", {jsonAnswer(chartJson(eniMeta()))});
    const WebTranslation limited = web.translate(categoryUrl("LU0211445258.MI+ENI.MI"));
    EXPECT_EQ(web.source.askedKeys(), (std::vector<std::string>{"LU0211445258.MOT", "search:LU0211445258"}))
        << "the cycle ends at the limit";
    EXPECT_EQ(limited.statusText, std::string(kWebUnavailablePrefix) + "5 minuti");
    EXPECT_FALSE(web.resolutions.find("LU0211445258"));
    web.clock.advance(61s);
    EXPECT_FALSE(web.translate(categoryUrl("ENI.MI")).succeeded) << "the whole source rests";
    EXPECT_EQ(web.source.asked.size(), 2u);
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
        {"the edge's refusal with 429", pageAnswer(429, "text/plain", "Edge: Too Many Requests"), 60s,
         "Sorgente web non disponibile, ritento fra 1 minuto"},
        {"the edge's refusal with 200", pageAnswer(200, "text/plain", "Edge: Too Many Requests"), 60s,
         "Sorgente web non disponibile, ritento fra 1 minuto"},
        {"the edge's refusal with 503", pageAnswer(503, "", "Edge: Too Many Requests", 120), 120s,
         "Sorgente web non disponibile, ritento fra 2 minuti"},
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
