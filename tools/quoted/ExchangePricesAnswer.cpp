#include "quoted/ExchangePricesAnswer.h"

#include "quoted/Market.h"

#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <utility>

namespace listorix::quoted {

namespace {

using Json = nlohmann::json;

HttpResponse jsonResponse(int status, const Json& body)
{
    HttpResponse response;
    response.status = status;
    response.contentType = "application/json; charset=utf-8";
    response.body = body.dump();
    return response;
}

HttpResponse badRequest(std::string_view message)
{
    return jsonResponse(400, {{"Message", message}});
}

// The text of a field of the request, or nothing.
std::optional<std::string> textField(const Json& request, const char* name)
{
    const auto found = request.find(name);
    if (found == request.end() || !found->is_string())
        return std::nullopt;
    return found->get<std::string>();
}

} // namespace

HttpResponse answerExchangePrices(const Market& market, const LocalDateTime& now, std::string_view body,
                                  const Faults& faults)
{
    const Json parsed = Json::parse(body, nullptr, false);
    if (parsed.is_discarded() || !parsed.is_object())
        return badRequest("The body is not a JSON object.");
    const auto wrapped = parsed.find("request");
    const Json& request = wrapped != parsed.end() && wrapped->is_object() ? *wrapped : parsed;

    const auto key = textField(request, "Key");
    constexpr std::string_view kMarketSuffix = ".MOT";
    if (!key || !key->ends_with(kMarketSuffix) || key->size() == kMarketSuffix.size())
        return badRequest("Key must name a security as ISIN.MOT.");
    const auto sampleTime = textField(request, "SampleTime");
    const auto timeFrame = textField(request, "TimeFrame");
    const bool minutes = sampleTime == "1mm";
    int months = 0;
    if (minutes) {
        if (timeFrame != "1d")
            return badRequest("SampleTime 1mm is served with TimeFrame 1d.");
    } else if (sampleTime == "1d") {
        for (const auto& [code, length] :
             {std::pair{"1m", 1}, {"3m", 3}, {"6m", 6}, {"1y", 12}, {"2y", 24}, {"5y", 60}}) {
            if (timeFrame == code)
                months = length;
        }
        if (months == 0)
            return badRequest("TimeFrame must be 1m, 3m, 6m, 1y, 2y or 5y.");
    } else {
        return badRequest("Only SampleTime 1d and 1mm are served.");
    }

    const std::string isin = key->substr(0, key->size() - kMarketSuffix.size());
    const Security* security = market.find(isin + ".MI");
    if (!security)
        security = market.find(isin);
    Json rows = Json::array();
    if (security && security->category != Category::Index && security->category != Category::Fund) {
        if (minutes) {
            for (const ChartPoint& point : market.chart(*security, now, ChartPeriod::OneDay)) {
                const LocalDateTime time{dateFromDayNumber(point.day), point.minuteOfDay / 60,
                                         point.minuteOfDay % 60, 0};
                rows.push_back({unixFromRomeTime(time) * 1000, point.price, point.price, point.price,
                                point.price, point.price, nullptr});
            }
        } else {
            for (const DayBar& bar : market.dayBars(*security, now, months)) {
                const LocalDateTime time{dateFromDayNumber(bar.day), bar.minuteOfDay / 60,
                                         bar.minuteOfDay % 60, 0};
                const std::int64_t ms =
                    faults.midnightRows ? bar.day * 86400 * 1000 : unixFromRomeTime(time) * 1000;
                rows.push_back({ms, bar.last, bar.open, bar.high, bar.low, bar.last, bar.volume});
            }
        }
    }
    return jsonResponse(200, {{"d", std::move(rows)}});
}

} // namespace listorix::quoted
