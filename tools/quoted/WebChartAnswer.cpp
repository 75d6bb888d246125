#include "quoted/WebChartAnswer.h"

#include "base/CaseFold.h"
#include "base/Windows1252.h"
#include "quoted/Market.h"
#include "quoted/QueryString.h"
#include "quoted/TextFormat.h"

#include <nlohmann/json.hpp>
#include <optional>

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

// The range and interval pairs served, with what each shows.
struct Form
{
    std::string_view range;
    std::string_view interval;
    std::optional<ChartPeriod> period; // none: the quote
    int stepMinutes = 0;               // intraday bars this far apart; 0: daily or weekly
    bool weekly = false;
};
constexpr Form kForms[] = {
    {"1d", "1d", std::nullopt},
    {"1d", "5m", ChartPeriod::OneDay, 5},
    {"5d", "15m", ChartPeriod::FiveDays, 15},
    {"3mo", "1d", ChartPeriod::ThreeMonths},
    {"6mo", "1d", ChartPeriod::SixMonths},
    {"1y", "1d", ChartPeriod::OneYear},
    {"2y", "1wk", ChartPeriod::TwoYears, 0, true},
    {"5y", "1wk", ChartPeriod::FiveYears, 0, true},
};

// The width the service pads its short names to.
constexpr std::size_t kPaddedNameWidth = 32;

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

// A series value as the service sends them: single-precision numbers widened to
// double when the answer's shape asks for it (11.687999725341797 for 11.688).
Json seriesValue(double value, const Faults& faults)
{
    return faults.longDecimals ? Json(static_cast<double>(static_cast<float>(value))) : Json(value);
}

std::string_view instrumentType(Category category)
{
    switch (category) {
    case Category::Index:
        return "INDEX";
    case Category::Fund:
        return "MUTUALFUND";
    case Category::Bond:
        return "BOND";
    case Category::Share:
    case Category::Derivative:
        break;
    }
    return "EQUITY";
}

void putNames(Json& meta, const std::string& name, const Faults& faults)
{
    const std::string utf8 = utf8FromWindows1252(name);
    switch (faults.names) {
    case Faults::Names::Both:
        meta["shortName"] = utf8;
        meta["longName"] = utf8;
        break;
    case Faults::Names::Padded: {
        std::string padded = utf8;
        if (padded.size() < kPaddedNameWidth)
            padded.append(kPaddedNameWidth - padded.size(), ' ');
        meta["shortName"] = padded;
        meta["longName"] = utf8;
        break;
    }
    case Faults::Names::LongNameOnly:
        meta["longName"] = utf8;
        break;
    case Faults::Names::None:
        break;
    }
}

std::int64_t stampOf(std::int64_t day, int minuteOfDay)
{
    return unixFromRomeTime(LocalDateTime{dateFromDayNumber(day), minuteOfDay / 60, minuteOfDay % 60, 0});
}

// The history bars of a chart form: (stamp, price) pairs, oldest first.
std::vector<std::pair<std::int64_t, double>> historyBars(const Market& market, const Security& security,
                                                         const LocalDateTime& now, const Form& form)
{
    const std::vector<ChartPoint> points = market.chart(security, now, *form.period);
    const int open = market.schedule().openMinute();
    const bool fund = security.category == Category::Fund;
    std::vector<std::pair<std::int64_t, double>> bars;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const ChartPoint& point = points[i];
        const bool last = i + 1 == points.size();
        if (fund) {
            bars.emplace_back(stampOf(point.day, point.minuteOfDay), point.price);
        } else if (form.stepMinutes > 0) {
            if (last || (point.minuteOfDay - open) % form.stepMinutes == 0)
                bars.emplace_back(stampOf(point.day, point.minuteOfDay), point.price);
        } else {
            // A daily bar is stamped at its session's opening time.
            bars.emplace_back(stampOf(point.day, open), point.price);
        }
    }
    if (!form.weekly)
        return bars;
    // A bar a week, stamped at its Monday, holding the week's last price.
    std::vector<std::pair<std::int64_t, double>> weeks;
    std::int64_t currentWeek = 0;
    for (const auto& [stamp, price] : bars) {
        const std::int64_t day = dayNumber(romeTimeFromUnix(stamp).date);
        const std::int64_t monday = day - (weekday(day) + 6) % 7;
        if (weeks.empty() || monday != currentWeek) {
            weeks.emplace_back(stampOf(monday, fund ? market.schedule().closeMinute() : open), price);
            currentWeek = monday;
        } else {
            weeks.back().second = price;
        }
    }
    return weeks;
}

} // namespace

HttpResponse answerWebChart(const Market& market, const LocalDateTime& now, std::string_view symbol,
                            std::string_view query, const Faults& faults)
{
    const auto pairs = splitQuery(query);
    const std::string range = percentDecode(queryValue(pairs, "range").value_or("1d"));
    const std::string interval = percentDecode(queryValue(pairs, "interval").value_or("1d"));
    const Form* form = nullptr;
    for (const Form& candidate : kForms) {
        if (candidate.range == range && candidate.interval == interval)
            form = &candidate;
    }
    if (!form)
        return chartError(
            400, "Bad Request",
            "Served here: range=1d with interval=1d or 5m, 5d with 15m, 3mo, 6mo or 1y with 1d, "
            "2y or 5y with 1wk");

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
        security = market.findFundBySearchSymbol(wanted);
        if (!security) {
            security = market.find(symbol);
            // Funds are known by their own symbol only, not by ISIN.
            if (security && security->category == Category::Fund)
                security = nullptr;
        }
        if (security) {
            shownSymbol =
                security->category == Category::Fund ? Market::fundSearchSymbol(*security) : security->symbol;
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
    const bool keys = !faults.missingKeys;
    const bool index = security->category == Category::Index;

    Json meta;
    meta["currency"] = index ? std::string("EUR") : faults.currency;
    meta["symbol"] = utf8FromWindows1252(shownSymbol);
    meta["exchangeName"] = "MIL";
    meta["instrumentType"] = instrumentType(security->category);
    putNames(meta, shownName, faults);
    meta["regularMarketTime"] = time;
    meta["gmtoffset"] = offset;
    meta["timezone"] = offset == 7200 ? "CEST" : "CET";
    meta["exchangeTimezoneName"] = "Europe/Rome";
    meta["regularMarketPrice"] = quote.last;
    if (keys) {
        meta["regularMarketDayHigh"] = valueOr(session, quote.high);
        meta["regularMarketDayLow"] = valueOr(session, quote.low);
        meta["regularMarketVolume"] = session ? Json(quote.volume) : Json(nullptr);
        // chartPreviousClose is the close before the window; previousClose, which
        // only the one-day range gives, the close before the current session. They
        // differ when the window holds no bar of the current session.
        const double chartPrevious =
            faults.staleChartPreviousClose ? market.closeBefore(*security, now, 2) : quote.previousClose;
        meta["chartPreviousClose"] = valueOr(session, chartPrevious);
        if (range == "1d")
            meta["previousClose"] = valueOr(session, quote.previousClose);
    }
    meta["priceHint"] = faults.longDecimals ? 2 : quote.decimals;
    meta["dataGranularity"] = interval;
    meta["range"] = range;

    Json result;
    if (!form->period) {
        Json quoteSeries = Json::object();
        if (keys) {
            quoteSeries["open"] = Json::array({session ? seriesValue(quote.open, faults) : Json(nullptr)});
            quoteSeries["high"] = Json::array({session ? seriesValue(quote.high, faults) : Json(nullptr)});
            quoteSeries["low"] = Json::array({session ? seriesValue(quote.low, faults) : Json(nullptr)});
            quoteSeries["close"] = Json::array({seriesValue(quote.last, faults)});
            quoteSeries["volume"] = Json::array({session ? Json(quote.volume) : Json(nullptr)});
        }
        result["meta"] = std::move(meta);
        if (keys)
            result["timestamp"] = Json::array({time});
        result["indicators"] = {{"quote", Json::array({std::move(quoteSeries)})}};
    } else {
        Json stamps = Json::array();
        Json closes = Json::array();
        Json volumes = Json::array();
        for (const auto& [stamp, price] : historyBars(market, *security, now, *form)) {
            stamps.push_back(stamp);
            closes.push_back(seriesValue(price, faults));
            volumes.push_back(nullptr);
        }
        result["meta"] = std::move(meta);
        result["timestamp"] = std::move(stamps);
        result["indicators"] = {{"quote", Json::array({{{"open", closes},
                                                        {"high", closes},
                                                        {"low", closes},
                                                        {"close", closes},
                                                        {"volume", std::move(volumes)}}})}};
    }
    return jsonResponse(200, {{"chart", {{"result", Json::array({std::move(result)})}, {"error", nullptr}}}});
}

} // namespace listorix::quoted
