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

HttpResponse answerExchangePrices(const Market& market, const LocalDateTime& now, std::string_view body)
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
    if (textField(request, "SampleTime") != "1d")
        return badRequest("Only SampleTime 1d is served.");
    const auto timeFrame = textField(request, "TimeFrame");
    int months = 0;
    for (const auto& [code, length] : {std::pair{"1m", 1}, {"3m", 3}, {"6m", 6}, {"1y", 12}}) {
        if (timeFrame == code)
            months = length;
    }
    if (months == 0)
        return badRequest("TimeFrame must be 1m, 3m, 6m or 1y.");

    const std::string isin = key->substr(0, key->size() - kMarketSuffix.size());
    const Security* security = market.find(isin + ".MI");
    if (!security)
        security = market.find(isin);
    Json rows = Json::array();
    if (security && security->category != Category::Index) {
        for (const DayBar& bar : market.dayBars(*security, now, months)) {
            const LocalDateTime time{dateFromDayNumber(bar.day), bar.minuteOfDay / 60, bar.minuteOfDay % 60,
                                     0};
            rows.push_back(
                {unixFromRomeTime(time) * 1000, bar.last, bar.open, bar.high, bar.low, bar.last, bar.volume});
        }
    }
    return jsonResponse(200, {{"d", std::move(rows)}});
}

} // namespace listorix::quoted
