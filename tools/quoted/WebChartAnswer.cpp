#include "quoted/WebChartAnswer.h"

#include "base/CaseFold.h"
#include "base/Windows1252.h"
#include "quoted/Market.h"
#include "quoted/QueryString.h"
#include "quoted/TextFormat.h"

#include <nlohmann/json.hpp>

namespace listorix::quoted {

namespace {

using Json = nlohmann::ordered_json;

// Today's indices, each answered with the values of the index it succeeded, so that a
// client reading them sees the same market as through the CSV answer. MIB30 has none.
struct Successor
{
    std::string_view symbol;
    std::string_view name;
    std::string_view predecessor;
};
constexpr Successor kIndexSuccessors[] = {
    {"FTSEMIB.MI", "FTSE MIB", "^SPMIB"},
    {"FTITLMS.MI", "FTSE Italia All-Share", "^MIBTEL"},
    {"FTITMC.MI", "FTSE Italia Mid Cap", "^MIDEX"},
};

HttpResponse jsonResponse(int status, const Json& body)
{
    HttpResponse response;
    response.status = status;
    response.contentType = "application/json;charset=utf-8";
    response.body = body.dump();
    return response;
}

HttpResponse chartError(int status, std::string_view code, std::string_view description)
{
    return jsonResponse(
        status,
        {{"chart", {{"result", nullptr}, {"error", {{"code", code}, {"description", description}}}}}});
}

// A value the security has, or null.
Json valueOr(bool present, double value)
{
    return present ? Json(value) : Json(nullptr);
}

} // namespace

HttpResponse answerWebChart(const Market& market, const LocalDateTime& now, std::string_view symbol,
                            std::string_view query)
{
    const auto pairs = splitQuery(query);
    for (const char* key : {"range", "interval"}) {
        const auto value = queryValue(pairs, key);
        if (value && percentDecode(*value) != "1d")
            return chartError(400, "Bad Request", "Only range=1d and interval=1d are served here");
    }

    const std::string wanted = asciiUpper(symbol);
    const Security* security = nullptr;
    std::string shownSymbol;
    std::string shownName;
    for (const Successor& successor : kIndexSuccessors) {
        if (wanted == successor.symbol) {
            security = market.find(successor.predecessor);
            shownSymbol = successor.symbol;
            shownName = successor.name;
        }
    }
    if (!security && !wanted.starts_with('^')) {
        security = market.find(symbol);
        if (security) {
            shownSymbol = security->symbol;
            shownName = security->name;
        }
    }
    if (!security)
        return chartError(404, "Not Found", "No data found, symbol may be delisted");

    const Quote quote = market.quote(*security, now);
    const LocalDateTime lastTime{quote.date, quote.minuteOfDay / 60, quote.minuteOfDay % 60, 0};
    const std::int64_t time = unixFromRomeTime(lastTime);
    const std::int64_t offset = (dayNumber(lastTime.date) * 86400 + lastTime.minuteOfDay() * 60) - time;
    const bool session = quote.sessionDetail;

    Json meta;
    meta["currency"] = "EUR";
    meta["symbol"] = utf8FromWindows1252(shownSymbol);
    meta["exchangeName"] = "MIL";
    meta["shortName"] = utf8FromWindows1252(shownName);
    meta["regularMarketTime"] = time;
    meta["gmtoffset"] = offset;
    meta["timezone"] = offset == 7200 ? "CEST" : "CET";
    meta["exchangeTimezoneName"] = "Europe/Rome";
    meta["regularMarketPrice"] = quote.last;
    meta["chartPreviousClose"] = valueOr(session, quote.previousClose);
    meta["priceHint"] = quote.decimals;
    meta["regularMarketDayHigh"] = valueOr(session, quote.high);
    meta["regularMarketDayLow"] = valueOr(session, quote.low);
    meta["regularMarketVolume"] = session ? Json(quote.volume) : Json(nullptr);
    meta["dataGranularity"] = "1d";
    meta["range"] = "1d";

    Json quoteSeries;
    quoteSeries["open"] = Json::array({valueOr(session, quote.open)});
    quoteSeries["high"] = Json::array({valueOr(session, quote.high)});
    quoteSeries["low"] = Json::array({valueOr(session, quote.low)});
    quoteSeries["close"] = Json::array({quote.last});
    quoteSeries["volume"] = Json::array({session ? Json(quote.volume) : Json(nullptr)});

    Json result;
    result["meta"] = std::move(meta);
    result["timestamp"] = Json::array({time});
    result["indicators"] = {{"quote", Json::array({std::move(quoteSeries)})}};
    return jsonResponse(200, {{"chart", {{"result", Json::array({std::move(result)})}, {"error", nullptr}}}});
}

} // namespace listorix::quoted
