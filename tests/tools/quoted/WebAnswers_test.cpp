#include "QuotedTestSupport.h"
#include "base/CaseFold.h"
#include "quoted/CsvAnswer.h"
#include "quoted/ExchangePricesAnswer.h"
#include "quoted/QuoteFields.h"
#include "quoted/TextFormat.h"
#include "quoted/WebChartAnswer.h"
#include "quoted/WebSearchAnswer.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <set>

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
    for (const char* list : {"A_azioni.lst", "D_derivati.lst", "O_obbligazioni.lst"}) {
        for (const std::string& symbol : testing::sampleTickers(list))
            symbols.emplace_back(symbol, symbol);
    }
    // Funds answer under the symbol the search gives for their ISIN.
    for (const std::string& symbol : testing::sampleTickers("F_fondi.lst"))
        symbols.emplace_back(Market::fundSearchSymbol(*sampleMarket().find(symbol)), symbol);
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
            EXPECT_EQ(csvText(meta.at("previousClose"), decimals), csv[7]);
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
    // A fund is not known by its ISIN, only by the symbol the search gives.
    const HttpResponse byIsin = answerWebChart(sampleMarket(), at("2005-01-25T15:30"), "IT0004389109.MI", "");
    EXPECT_EQ(byIsin.status, 404);
    for (const char* query :
         {"range=5d", "range=1d&interval=1m", "range=1mo&interval=1d", "range=2y&interval=1d"}) {
        const HttpResponse refused = answerWebChart(sampleMarket(), at("2005-01-25T15:30"), "ENI.MI", query);
        EXPECT_EQ(refused.status, 400) << query;
        EXPECT_TRUE(parsedBody(refused)["chart"]["result"].is_null());
    }
}

// The shapes the real service's answers come in, each on demand: the values stay the
// CSV answer's, only their form changes.
TEST(WebChartAnswer, givesTheRealAnswersShapesOnDemand)
{
    const LocalDateTime now = at("2005-01-25T15:30");
    const auto metaWith = [&](const Faults& faults, const char* symbol = "A2A.MI") {
        return parsedBody(answerWebChart(sampleMarket(), now, symbol, "range=1d&interval=1d",
                                         faults))["chart"]["result"][0];
    };
    const Json plain = metaWith({});
    const Json& meta = plain["meta"];
    EXPECT_EQ(meta["currency"], "EUR");
    EXPECT_EQ(meta["shortName"], "A2A");
    EXPECT_EQ(meta["longName"], "A2A");
    EXPECT_EQ(meta["priceHint"], 3);
    EXPECT_EQ(meta["previousClose"], meta["chartPreviousClose"]);

    Faults stale;
    stale.staleChartPreviousClose = true;
    const Json staleMeta = metaWith(stale)["meta"];
    EXPECT_EQ(staleMeta["previousClose"], meta["previousClose"]) << "the last session's close";
    EXPECT_NE(staleMeta["chartPreviousClose"], meta["chartPreviousClose"]);
    const Quote quote = sampleMarket().quote(*sampleMarket().find("A2A.MI"), now);
    EXPECT_DOUBLE_EQ(staleMeta["chartPreviousClose"].get<double>(),
                     sampleMarket().closeBefore(*sampleMarket().find("A2A.MI"), now, 2));

    Faults longDecimals;
    longDecimals.longDecimals = true;
    const Json noisy = metaWith(longDecimals);
    EXPECT_EQ(noisy["meta"]["priceHint"], 2);
    EXPECT_EQ(noisy["meta"]["regularMarketPrice"], meta["regularMarketPrice"]) << "3 decimals, not 2";
    const double open = noisy["indicators"]["quote"][0]["open"][0].get<double>();
    EXPECT_EQ(open, static_cast<double>(static_cast<float>(quote.open)));
    EXPECT_NE(open, quote.open) << "a single-precision value widened";

    const struct
    {
        Faults::Names names;
        std::optional<std::string> shortName;
        std::optional<std::string> longName;
    } names[] = {{Faults::Names::Padded, "A2A" + std::string(29, ' '), "A2A"},
                 {Faults::Names::LongNameOnly, std::nullopt, "A2A"},
                 {Faults::Names::None, std::nullopt, std::nullopt}};
    for (const auto& c : names) {
        Faults faults;
        faults.names = c.names;
        const Json named = metaWith(faults)["meta"];
        EXPECT_EQ(named.contains("shortName"), c.shortName.has_value());
        EXPECT_EQ(named.contains("longName"), c.longName.has_value());
        if (c.shortName) {
            EXPECT_EQ(named["shortName"], *c.shortName);
        }
    }

    Faults dollars;
    dollars.currency = "USD";
    EXPECT_EQ(metaWith(dollars)["meta"]["currency"], "USD");
    EXPECT_EQ(metaWith(dollars, "FTSEMIB.MI")["meta"]["currency"], "EUR") << "an index has none of its own";

    Faults missing;
    missing.missingKeys = true;
    const Json sparse = metaWith(missing);
    for (const char* key : {"regularMarketDayHigh", "regularMarketDayLow", "regularMarketVolume",
                            "chartPreviousClose", "previousClose"})
        EXPECT_FALSE(sparse["meta"].contains(key)) << key << " is left out, not null";
    EXPECT_EQ(sparse["meta"]["regularMarketPrice"], meta["regularMarketPrice"]);
    EXPECT_FALSE(sparse.contains("timestamp"));
    EXPECT_EQ(sparse["indicators"]["quote"], Json::parse("[{}]"));
}

// The chart forms of the seven periods: bars in time order at their interval, the last
// at the current price.
TEST(WebChartAnswer, chartFormsGiveEachPeriodsHistory)
{
    const LocalDateTime now = at("2005-01-25T15:30");
    const Quote quote = sampleMarket().quote(*sampleMarket().find("ENI.MI"), now);
    const struct
    {
        const char* query;
        std::size_t fewest;
        std::size_t most;
        std::int64_t step; // seconds between bars within a session; 0: a day or a week
    } forms[] = {
        {"range=1d&interval=5m", 70, 80, 300},  {"range=5d&interval=15m", 140, 180, 900},
        {"range=3mo&interval=1d", 58, 68, 0},   {"range=6mo&interval=1d", 120, 132, 0},
        {"range=1y&interval=1d", 245, 260, 0},  {"range=2y&interval=1wk", 100, 106, 0},
        {"range=5y&interval=1wk", 258, 263, 0},
    };
    for (const auto& form : forms) {
        SCOPED_TRACE(form.query);
        const HttpResponse response = answerWebChart(sampleMarket(), now, "ENI.MI", form.query);
        ASSERT_EQ(response.status, 200);
        const Json result = parsedBody(response)["chart"]["result"][0];
        const Json& stamps = result["timestamp"];
        const Json& closes = result["indicators"]["quote"][0]["close"];
        ASSERT_EQ(stamps.size(), closes.size());
        EXPECT_GE(stamps.size(), form.fewest);
        EXPECT_LE(stamps.size(), form.most);
        for (std::size_t i = 1; i < stamps.size(); ++i)
            EXPECT_LT(stamps[i - 1].get<std::int64_t>(), stamps[i].get<std::int64_t>());
        EXPECT_DOUBLE_EQ(closes.back().get<double>(), quote.last);
        if (form.step > 0) {
            EXPECT_EQ(stamps[1].get<std::int64_t>() - stamps[0].get<std::int64_t>(), form.step);
            EXPECT_EQ(romeTimeFromUnix(stamps.back().get<std::int64_t>()).minuteOfDay(), 15 * 60 + 30);
        } else {
            const bool weekly = std::string_view(form.query).ends_with("1wk");
            for (const Json& stamp : stamps) {
                const LocalDateTime time = romeTimeFromUnix(stamp.get<std::int64_t>());
                EXPECT_EQ(time.minuteOfDay(), 9 * 60) << "a daily bar at the session's opening";
                if (weekly) {
                    EXPECT_EQ(weekday(dayNumber(time.date)), 1) << "a weekly bar on its Monday";
                }
            }
        }
    }
}

// The search, for a fund's ISIN, gives the symbol the chart endpoint then answers.
TEST(WebSearchAnswer, findsTheMarketsFundsByIsinAndNothingElse)
{
    const LocalDateTime now = at("2005-01-25T15:30");
    std::set<std::string> symbols;
    for (const std::string& fund : testing::sampleTickers("F_fondi.lst")) {
        SCOPED_TRACE(fund);
        const std::string isin = fund.substr(0, fund.find('.'));
        for (const std::string& q : {isin, fund, asciiLower(isin)}) {
            const HttpResponse response =
                answerWebSearch(sampleMarket(), "q=" + q + "&quotesCount=1&newsCount=0");
            ASSERT_EQ(response.status, 200);
            EXPECT_EQ(response.contentType, "application/json;charset=utf-8");
            const Json body = parsedBody(response);
            EXPECT_EQ(body["count"], 1);
            ASSERT_EQ(body["quotes"].size(), 1u);
            const Json& found = body["quotes"][0];
            EXPECT_EQ(found["quoteType"], "MUTUALFUND");
            EXPECT_EQ(found["longname"], sampleMarket().find(fund)->name);
            const std::string symbol = found["symbol"].get<std::string>();
            EXPECT_EQ(symbol.size(), 10u);
            EXPECT_EQ(symbol.rfind("0P0000", 0), 0u);
            symbols.insert(symbol);

            const Json chart = parsedBody(answerWebChart(sampleMarket(), now, symbol, ""));
            EXPECT_EQ(chart["chart"]["result"][0]["meta"]["symbol"], symbol);
        }
    }
    EXPECT_EQ(symbols.size(), testing::sampleTickers("F_fondi.lst").size()) << "one symbol per fund";

    for (const char* q : {"IT0005026163", "ENI.MI", "LU0000000000"}) {
        const Json body = parsedBody(answerWebSearch(sampleMarket(), std::string("q=") + q));
        EXPECT_EQ(body["count"], 0) << q;
        EXPECT_TRUE(body["quotes"].empty()) << q;
    }
    EXPECT_EQ(answerWebSearch(sampleMarket(), "quotesCount=1").status, 400);

    Faults padded;
    padded.names = Faults::Names::Padded;
    const Json body = parsedBody(answerWebSearch(sampleMarket(), "q=IT0001854709", padded));
    EXPECT_EQ(body["quotes"][0]["shortname"], "ANIMA ITALIA A                  ");
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

// The exchange's daily rows as the real service stamps them, at 00:00 UTC of their
// day; and the current session minute by minute, each row at its trade time.
TEST(ExchangePricesAnswer, daysAtMidnightUtcOnDemandAndMinutesAtTheirTime)
{
    const LocalDateTime now = at("2005-01-25T15:30");
    const Json days = {{"Key", "IT0005026163.MOT"}, {"SampleTime", "1d"}, {"TimeFrame", "1m"}};
    Faults midnight;
    midnight.midnightRows = true;
    const Json stamped = parsedBody(answerExchangePrices(sampleMarket(), now, days.dump(), midnight))["d"];
    const Json plain = parsedBody(answerExchangePrices(sampleMarket(), now, days.dump()))["d"];
    ASSERT_EQ(stamped.size(), plain.size());
    for (std::size_t i = 0; i < stamped.size(); ++i) {
        const std::int64_t ms = stamped[i][0].get<std::int64_t>();
        EXPECT_EQ(ms % 86400000, 0);
        EXPECT_EQ(dateFromDayNumber(ms / 86400000),
                  romeTimeFromUnix(plain[i][0].get<std::int64_t>() / 1000).date);
        EXPECT_EQ(stamped[i][1], plain[i][1]);
    }

    const Json minutes = {{"Key", "IT0005026163.MOT"}, {"SampleTime", "1mm"}, {"TimeFrame", "1d"}};
    const Json rows = parsedBody(answerExchangePrices(sampleMarket(), now, minutes.dump()))["d"];
    ASSERT_EQ(rows.size(), 6u * 60 + 31) << "9:00 to 15:30";
    EXPECT_EQ(romeTimeFromUnix(rows.front()[0].get<std::int64_t>() / 1000).minuteOfDay(), 9 * 60);
    EXPECT_EQ(rows.back()[1], plain.back()[1]) << "the last minute is the current price";

    for (const char* frame : {"3m", "6m", "1y", "2y", "5y"}) {
        const Json longer = {{"Key", "IT0005026163.MOT"}, {"SampleTime", "1d"}, {"TimeFrame", frame}};
        EXPECT_GT(parsedBody(answerExchangePrices(sampleMarket(), now, longer.dump()))["d"].size(),
                  plain.size())
            << frame;
    }
    const Json fund = {{"Key", "IT0004389109.MOT"}, {"SampleTime", "1d"}, {"TimeFrame", "1m"}};
    EXPECT_EQ(answerExchangePrices(sampleMarket(), now, fund.dump()).body, R"({"d":[]})")
        << "the exchange has no funds";
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
        R"({"Key":"IT0005026163.MOT","SampleTime":"1mm","TimeFrame":"1m"})",
        R"({"Key":"IT0005026163.MOT","SampleTime":"5mm","TimeFrame":"1d"})",
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
