#include "websource/WebAnswerDecoder.h"

#include "base/CaseFold.h"
#include "base/ItalianTime.h"
#include "base/Trim.h"
#include "base/Windows1252.h"

#include <cmath>
#include <nlohmann/json.hpp>

namespace listorix {

namespace {

using nlohmann::json;

// Seconds up to the end of the year 9999: later times are not dates the program shows.
constexpr std::int64_t kLatestTime = 253402300799;

bool containsIgnoringCase(std::string_view text, std::string_view word)
{
    if (word.size() > text.size())
        return false;
    for (std::size_t i = 0; i + word.size() <= text.size(); ++i) {
        if (textEqualsIgnoringCase(text.substr(i, word.size()), word))
            return true;
    }
    return false;
}

bool looksLikeMarkup(const WebResponse& response)
{
    if (containsIgnoringCase(response.contentType, "html"))
        return true;
    for (const char c : response.body) {
        if (static_cast<unsigned char>(c) > ' ')
            return c == '<';
    }
    return false;
}

bool saysTooManyRequests(const WebResponse& response)
{
    return containsIgnoringCase(std::string_view(response.body).substr(0, 4096), "too many requests");
}

// The host of an absolute URL, or empty.
std::string_view hostOf(std::string_view url)
{
    const auto scheme = url.find("://");
    if (scheme == std::string_view::npos)
        return {};
    url.remove_prefix(scheme + 3);
    return url.substr(0, url.find_first_of("/:?#"));
}

// Where a service sends a browser that has not yet agreed to its cookies:
// guce.yahoo.com, consent.yahoo.com and their kind.
bool isConsentHost(std::string_view host)
{
    const std::string_view first = host.substr(0, host.find('.'));
    return host.find('.') != std::string_view::npos &&
           (textEqualsIgnoringCase(first, "guce") || textEqualsIgnoringCase(first, "consent"));
}

// The fault of an answer, and its JSON in `parsed` when there is none.
WebAnswerFault readResponse(const WebResponse& response, json& parsed)
{
    if (!response.answered)
        return WebAnswerFault::NoAnswer;
    if (response.status == 429)
        return WebAnswerFault::RateLimited;
    if (response.status >= 300 && response.status < 400)
        return isConsentHost(hostOf(response.location)) ? WebAnswerFault::ConsentRequired
                                                        : WebAnswerFault::Status;
    if (response.status == 200) {
        parsed = json::parse(response.body, nullptr, false);
        if (!parsed.is_discarded() && parsed.is_object() && !looksLikeMarkup(response))
            return WebAnswerFault::None;
    }
    // The service's edge answers "Edge: Too Many Requests" with 429, and at times
    // with 200 or another status: a rate limit all the same.
    if (saysTooManyRequests(response))
        return WebAnswerFault::RateLimited;
    return response.status == 200 ? WebAnswerFault::NotData : WebAnswerFault::Status;
}

// A finite number, or nothing for null, a missing member or any other type.
std::optional<double> number(const json& value)
{
    if (!value.is_number())
        return std::nullopt;
    const double result = value.get<double>();
    return std::isfinite(result) ? std::optional<double>(result) : std::nullopt;
}

std::optional<double> member(const json& object, const char* name)
{
    if (!object.is_object())
        return std::nullopt;
    const auto it = object.find(name);
    return it == object.end() ? std::nullopt : number(*it);
}

const json* element(const json& array, std::size_t index)
{
    return array.is_array() && index < array.size() ? &array[index] : nullptr;
}

const json* path(const json& root, std::initializer_list<const char*> names)
{
    const json* node = &root;
    for (const char* name : names) {
        if (!node->is_object())
            return nullptr;
        const auto it = node->find(name);
        if (it == node->end())
            return nullptr;
        node = &*it;
    }
    return node;
}

std::optional<std::int64_t> epochSeconds(std::optional<double> value)
{
    if (!value || *value < 0 || *value > static_cast<double>(kLatestTime))
        return std::nullopt;
    return static_cast<std::int64_t>(std::floor(*value));
}

// The trimmed text of a member, in the program's code page; empty when it is
// missing or not a text.
std::string text(const json& object, const char* name)
{
    const auto it = object.find(name);
    if (it == object.end() || !it->is_string())
        return {};
    return std::string(trimControls(windows1252FromUtf8(it->get_ref<const std::string&>())));
}

constexpr std::int64_t kMillisecondsPerDay = 86400000;

// A day's price: the calendar day of `seconds` (already moved to the day's zone).
std::optional<PricePoint> dayPoint(std::int64_t seconds, double value)
{
    int year = 0;
    int month = 0;
    int day = 0;
    civilFromDays(seconds >= 0 ? seconds / 86400 : -((-seconds + 86399) / 86400), year, month, day);
    const auto date = Date::fromYmd(year, month, day);
    if (!date)
        return std::nullopt;
    return PricePoint{*date, std::nullopt, value};
}

// A trade's price at its Italian date and time.
std::optional<PricePoint> tradePoint(std::int64_t seconds, double value)
{
    const ItalianDateTime t = italianTimeFromEpoch(seconds);
    const auto date = Date::fromYmd(t.year, t.month, t.day);
    const auto time = TimeOfDay::fromHms(t.hour, t.minute, t.second);
    if (!date || !time)
        return std::nullopt;
    return PricePoint{*date, *time, value};
}

} // namespace

WebAnswerFault responseFault(const WebResponse& response)
{
    json parsed;
    return readResponse(response, parsed);
}

DecodedAnswer decodeChartAnswer(const WebResponse& response)
{
    DecodedAnswer answer;
    json root;
    answer.fault = readResponse(response, root);
    if (answer.fault != WebAnswerFault::None)
        return answer;

    const json* results = path(root, {"chart", "result"});
    const json* result = results ? element(*results, 0) : nullptr;
    const json* meta = result ? path(*result, {"meta"}) : nullptr;
    if (!meta || !meta->is_object() || !member(*meta, "regularMarketPrice")) {
        answer.fault = WebAnswerFault::EmptyResult;
        return answer;
    }

    WebQuote& quote = answer.quote;
    quote.last = member(*meta, "regularMarketPrice");
    quote.time = epochSeconds(member(*meta, "regularMarketTime"));
    // chartPreviousClose is the close before the chart's window. With range=1d the
    // window is the last session that has bars, so before the first trade of a new
    // session it is the close of the session before the last one, and the change
    // would span two sessions. previousClose is the close before the current
    // price's session; it comes with range=1d only, hence the fallback.
    quote.previousClose = member(*meta, "previousClose");
    if (!quote.previousClose)
        quote.previousClose = member(*meta, "chartPreviousClose");
    quote.high = member(*meta, "regularMarketDayHigh");
    quote.low = member(*meta, "regularMarketDayLow");
    quote.volume = member(*meta, "regularMarketVolume");
    quote.name = text(*meta, "shortName");
    if (quote.name.empty())
        quote.name = text(*meta, "longName");
    quote.currency = text(*meta, "currency");
    if (const auto hint = member(*meta, "priceHint");
        hint && *hint >= 0 && *hint <= 8 && *hint == std::floor(*hint))
        quote.decimals = static_cast<int>(*hint);

    const json* quotes = path(*result, {"indicators", "quote"});
    const json* first = quotes ? element(*quotes, 0) : nullptr;
    const json* opens = first ? path(*first, {"open"}) : nullptr;
    if (const json* open = opens ? element(*opens, 0) : nullptr)
        quote.open = number(*open);
    return answer;
}

DecodedAnswer decodeExchangeAnswer(const WebResponse& response)
{
    DecodedAnswer answer;
    json root;
    answer.fault = readResponse(response, root);
    if (answer.fault != WebAnswerFault::None)
        return answer;

    const json* rows = path(root, {"d"});
    if (!rows || !rows->is_array() || rows->empty() || !rows->back().is_array()) {
        answer.fault = WebAnswerFault::EmptyResult;
        return answer;
    }
    // [ms, price, open, high, low, close, volume]
    const auto value = [](const json& row, std::size_t index) -> std::optional<double> {
        const json* item = element(row, index);
        return item ? number(*item) : std::nullopt;
    };
    const json& today = rows->back();
    WebQuote& quote = answer.quote;
    quote.last = value(today, 1);
    if (!quote.last)
        quote.last = value(today, 5);
    if (!quote.last) {
        answer.fault = WebAnswerFault::EmptyResult;
        return answer;
    }
    if (const auto ms = value(today, 0)) {
        quote.time = epochSeconds(*ms / 1000.0);
        quote.timeIsDay = quote.time && std::fmod(*ms, static_cast<double>(kMillisecondsPerDay)) == 0.0;
    }
    quote.open = value(today, 2);
    quote.high = value(today, 3);
    quote.low = value(today, 4);
    quote.volume = value(today, 6);
    if (rows->size() >= 2) {
        const json& before = (*rows)[rows->size() - 2];
        quote.previousClose = value(before, 5);
        if (!quote.previousClose)
            quote.previousClose = value(before, 1);
    }
    return answer;
}

SearchAnswer decodeSearchAnswer(const WebResponse& response)
{
    SearchAnswer answer;
    json root;
    answer.fault = readResponse(response, root);
    if (answer.fault != WebAnswerFault::None)
        return answer;
    const json* quotes = path(root, {"quotes"});
    if (!quotes || !quotes->is_array()) {
        answer.fault = WebAnswerFault::NotData;
        return answer;
    }
    if (const json* first = element(*quotes, 0)) {
        std::string symbol = first->is_object() ? text(*first, "symbol") : std::string();
        if (!symbol.empty())
            answer.symbol = std::move(symbol);
    }
    return answer;
}

DecodedHistory decodeChartHistory(const WebResponse& response, bool daily)
{
    DecodedHistory history;
    json root;
    history.fault = readResponse(response, root);
    if (history.fault != WebAnswerFault::None)
        return history;
    const json* results = path(root, {"chart", "result"});
    const json* result = results ? element(*results, 0) : nullptr;
    const json* meta = result ? path(*result, {"meta"}) : nullptr;
    std::int64_t offset = 0;
    if (meta && meta->is_object()) {
        history.name = text(*meta, "shortName");
        if (history.name.empty())
            history.name = text(*meta, "longName");
        history.currency = text(*meta, "currency");
        if (const auto gmtoffset = member(*meta, "gmtoffset"); gmtoffset && std::fabs(*gmtoffset) <= 86400)
            offset = static_cast<std::int64_t>(*gmtoffset);
    }
    const json* stamps = result ? path(*result, {"timestamp"}) : nullptr;
    const json* quotes = result ? path(*result, {"indicators", "quote"}) : nullptr;
    const json* first = quotes ? element(*quotes, 0) : nullptr;
    const json* closes = first ? path(*first, {"close"}) : nullptr;
    if (stamps && stamps->is_array() && closes && closes->is_array()) {
        for (std::size_t i = 0; i < stamps->size() && i < closes->size(); ++i) {
            const auto time = epochSeconds(number((*stamps)[i]));
            const auto close = number((*closes)[i]);
            if (!time || !close)
                continue;
            if (auto point = daily ? dayPoint(*time + offset, *close) : tradePoint(*time, *close))
                history.points.push_back(*point);
        }
    }
    if (history.points.empty())
        history.fault = WebAnswerFault::EmptyResult;
    return history;
}

DecodedHistory decodeExchangeHistory(const WebResponse& response, bool daily)
{
    DecodedHistory history;
    json root;
    history.fault = readResponse(response, root);
    if (history.fault != WebAnswerFault::None)
        return history;
    const json* rows = path(root, {"d"});
    if (rows && rows->is_array()) {
        for (const json& row : *rows) {
            if (!row.is_array() || row.size() < 2 || !row[0].is_number())
                continue;
            const double ms = row[0].get<double>();
            double value = 0.0;
            if (row.size() > 5 && row[5].is_number())
                value = row[5].get<double>();
            else if (row[1].is_number())
                value = row[1].get<double>();
            else
                continue;
            const auto time = epochSeconds(ms / 1000.0);
            if (!time || !std::isfinite(value))
                continue;
            std::optional<PricePoint> point;
            if (!daily) {
                point = tradePoint(*time, value);
            } else if (std::fmod(ms, static_cast<double>(kMillisecondsPerDay)) == 0.0) {
                point = dayPoint(*time, value);
            } else {
                point = tradePoint(*time, value);
                if (point)
                    point->time.reset();
            }
            if (point)
                history.points.push_back(*point);
        }
    }
    if (history.points.empty())
        history.fault = WebAnswerFault::EmptyResult;
    return history;
}

} // namespace listorix
