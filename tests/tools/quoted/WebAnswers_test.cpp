#include "QuotedTestSupport.h"
#include "base/CaseFold.h"
#include "quoted/CsvAnswer.h"
#include "quoted/ExchangePricesAnswer.h"
#include "quoted/QuoteFields.h"
#include "quoted/TextFormat.h"
#include "quoted/WebChartAnswer.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace listorix::quoted {
namespace {

using Json = nlohmann::json;
using testing::at;
using testing::sampleMarket;

// The CSV fields of one symbol: symbol, last, date, time, open, low, high, previous
// close, volume.
std::vector<std::string> csvFields(std::string_view symbol, const LocalDateTime& now)
{
    std::string unknown;
    const std::string line =
        buildCsvAnswer(sampleMarket(), now, {std::string(symbol)}, *parseFieldCodes("sl1d1t1oghpv", unknown));
    return testing::splitFields(testing::splitLines(line).at(0));
}

// A JSON number as the CSV answer writes it; null is "N/A".
std::string csvText(const Json& value, int decimals)
{
    if (value.is_null())
        return "N/A";
    if (value.is_number_integer())
        return std::to_string(value.get<std::int64_t>());
    return text::fixed(value.get<double>(), decimals);
}

Json parsedBody(const HttpResponse& response)
{
    return Json::parse(response.body);
}

// The web chart API gives, for every security and today's indices, the values the CSV
// answer gives at the same moment: price, its date and time, open, low, high, previous
// close and volume (null where the CSV says N/A).
TEST(WebChartAnswer, givesTheValuesOfTheCsvAnswer)
{
    std::vector<std::pair<std::string, std::string>> symbols = {// asked for, answered as in the CSV
                                                                {"FTSEMIB.MI", "^SPMIB"},
                                                                {"FTITLMS.MI", "^MIBTEL"},
                                                                {"ftitmc.mi", "^MIDEX"}};
    for (const char* list : {"A_azioni.lst", "D_derivati.lst", "F_fondi.lst", "O_obbligazioni.lst"}) {
        for (const std::string& symbol : testing::sampleTickers(list))
            symbols.emplace_back(symbol, symbol);
    }
    // In a winter session, and on a summer Sunday (Friday's close, in summer time).
    for (const char* now : {"2005-01-25T15:30", "2025-06-15T20:00"}) {
        for (const auto& [asked, csvSymbol] : symbols) {
            SCOPED_TRACE(asked + " at " + now);
            const HttpResponse response =
                answerWebChart(sampleMarket(), at(now), asked, "range=1d&interval=1d");
            ASSERT_EQ(response.status, 200);
            EXPECT_EQ(response.contentType, "application/json;charset=utf-8");
            const Json chart = parsedBody(response).at("chart");
            EXPECT_TRUE(chart.at("error").is_null());
            const Json& result = chart.at("result").at(0);
            const Json& meta = result.at("meta");
            const Json& quote = result.at("indicators").at("quote").at(0);
            const auto csv = csvFields(csvSymbol, at(now));
            const int decimals = meta.at("priceHint").get<int>();

            EXPECT_TRUE(equalsIgnoringAsciiCase(meta.at("symbol").get<std::string>(), asked));
            EXPECT_FALSE(meta.at("shortName").get<std::string>().empty());
            EXPECT_EQ(csvText(meta.at("regularMarketPrice"), decimals), csv[1]);
            const LocalDateTime time = romeTimeFromUnix(meta.at("regularMarketTime").get<std::int64_t>());
            EXPECT_EQ(text::usDate(time.date), csv[2]);
            if (csv[3] != "N/A") {
                EXPECT_EQ(text::clockTime(time.minuteOfDay()), csv[3]);
            }
            EXPECT_EQ(csvText(quote.at("open").at(0), decimals), csv[4]);
            EXPECT_EQ(csvText(meta.at("regularMarketDayLow"), decimals), csv[5]);
            EXPECT_EQ(csvText(meta.at("regularMarketDayHigh"), decimals), csv[6]);
            EXPECT_EQ(csvText(meta.at("chartPreviousClose"), decimals), csv[7]);
            EXPECT_EQ(csvText(meta.at("regularMarketVolume"), decimals), csv[8]);
        }
    }
    const Json allShare = parsedBody(
        answerWebChart(sampleMarket(), at("2005-01-25T15:30"), "FTITLMS.MI", "range=1d&interval=1d"));
    EXPECT_EQ(allShare["chart"]["result"][0]["meta"]["shortName"], "FTSE Italia All-Share");
    EXPECT_EQ(allShare["chart"]["result"][0]["meta"]["symbol"], "FTITLMS.MI");
}

TEST(WebChartAnswer, retiredIndexSymbolsAndUnknownOnesAreNotFound)
{
    for (const char* symbol : {"^MIB30", "^SPMIB", "NOPE.MI", "FTSEMIB"}) {
        const HttpResponse response = answerWebChart(sampleMarket(), at("2005-01-25T15:30"), symbol, "");
        EXPECT_EQ(response.status, 404) << symbol;
        const Json chart = parsedBody(response).at("chart");
        EXPECT_TRUE(chart.at("result").is_null());
        EXPECT_EQ(chart.at("error").at("code"), "Not Found");
    }
    const HttpResponse week = answerWebChart(sampleMarket(), at("2005-01-25T15:30"), "ENI.MI", "range=5d");
    EXPECT_EQ(week.status, 400);
    EXPECT_TRUE(parsedBody(week)["chart"]["result"].is_null());
}

// A bond's rows from the exchange's chart service: the last is today's quote as the CSV
// answer gives it, and the close of the one before is the CSV's previous close.
TEST(ExchangePricesAnswer, lastRowIsTheCsvQuoteAndTheOneBeforeItsPreviousClose)
{
    for (const char* now : {"2005-01-25T15:30", "2025-06-15T20:00"}) {
        for (const std::string& symbol : testing::sampleTickers("O_obbligazioni.lst")) {
            SCOPED_TRACE(symbol + " at " + now);
            const std::string isin = symbol.substr(0, symbol.size() - 3);
            const Json request = {{"Key", isin + ".MOT"}, {"SampleTime", "1d"}, {"TimeFrame", "1m"}};
            const HttpResponse response = answerExchangePrices(sampleMarket(), at(now), request.dump());
            ASSERT_EQ(response.status, 200);
            // The same fields inside a "request" object give the same answer.
            EXPECT_EQ(answerExchangePrices(sampleMarket(), at(now), Json{{"request", request}}.dump()).body,
                      response.body);
            const Json rows = parsedBody(response).at("d");
            ASSERT_GE(rows.size(), 18u);
            ASSERT_LE(rows.size(), 24u);
            for (std::size_t i = 1; i < rows.size(); ++i)
                EXPECT_LT(rows[i - 1][0].get<std::int64_t>(), rows[i][0].get<std::int64_t>());

            const auto csv = csvFields(symbol, at(now));
            const Json& today = rows.back();
            const LocalDateTime time = romeTimeFromUnix(today[0].get<std::int64_t>() / 1000);
            EXPECT_EQ(text::usDate(time.date), csv[2]);
            EXPECT_EQ(text::clockTime(time.minuteOfDay()), csv[3]);
            EXPECT_EQ(csvText(today[1], 2), csv[1]);
            EXPECT_EQ(csvText(today[2], 2), csv[4]);
            EXPECT_EQ(csvText(today[3], 2), csv[6]);
            EXPECT_EQ(csvText(today[4], 2), csv[5]);
            EXPECT_EQ(today[5], today[1]);
            EXPECT_EQ(csvText(today[6], 2), csv[8]);
            EXPECT_EQ(csvText(rows[rows.size() - 2][5], 2), csv[7]);
        }
    }
}

TEST(ExchangePricesAnswer, requestsItCannotServeAreRefusedAndUnknownKeysGetNoRows)
{
    const std::string bad[] = {
        "",
        "not json",
        "[]",
        R"({"SampleTime":"1d","TimeFrame":"1m"})",
        R"({"Key":"IT0005026163","SampleTime":"1d","TimeFrame":"1m"})",
        R"({"Key":".MOT","SampleTime":"1d","TimeFrame":"1m"})",
        R"({"Key":"IT0005026163.MOT","TimeFrame":"1m"})",
        R"({"Key":"IT0005026163.MOT","SampleTime":"1d","TimeFrame":"2w"})",
        R"({"Key":17,"SampleTime":"1d","TimeFrame":"1m"})",
    };
    for (const std::string& body : bad) {
        const HttpResponse response = answerExchangePrices(sampleMarket(), at("2005-01-25T15:30"), body);
        EXPECT_EQ(response.status, 400) << body;
        EXPECT_TRUE(parsedBody(response).at("Message").is_string()) << body;
    }
    for (const char* key : {"IT0000000000.MOT", "^MIBTEL.MOT"}) {
        const Json request = {{"Key", key}, {"SampleTime", "1d"}, {"TimeFrame", "1m"}};
        const HttpResponse response =
            answerExchangePrices(sampleMarket(), at("2005-01-25T15:30"), request.dump());
        EXPECT_EQ(response.status, 200) << key;
        EXPECT_EQ(response.body, R"({"d":[]})") << key;
    }
}

} // namespace
} // namespace listorix::quoted
