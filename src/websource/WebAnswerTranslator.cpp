#include "websource/WebAnswerTranslator.h"

#include "base/PercentEncoding.h"
#include "websource/IndexSuccessors.h"
#include "websource/IsinResolution.h"
#include "websource/QuoteCsvLine.h"
#include "websource/QuoteRequest.h"
#include "websource/WebAnswerDecoder.h"
#include "websource/WebRequestRound.h"
#include "websource/WebTransport.h"

#include <algorithm>
#include <nlohmann/json.hpp>
#include <optional>
#include <vector>

namespace listorix {

namespace {

using std::chrono::duration_cast;
using std::chrono::seconds;

bool isAsciiLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool isAsciiDigit(char c)
{
    return c >= '0' && c <= '9';
}

char upper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// The ISIN check: letters become two digits (A = 10 … Z = 35), then the Luhn sum of
// all digits, the check digit included, is a multiple of ten.
bool isinChecks(std::string_view isin)
{
    std::string digits;
    for (const char c : isin) {
        if (isAsciiDigit(c))
            digits += c;
        else
            digits += std::to_string(upper(c) - 'A' + 10);
    }
    int sum = 0;
    bool twice = false;
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        int digit = *it - '0';
        if (twice) {
            digit *= 2;
            if (digit > 9)
                digit -= 9;
        }
        sum += digit;
        twice = !twice;
    }
    return sum % 10 == 0;
}

// How one symbol of a request is asked for.
struct Route
{
    std::string sourceSymbol; // the key of the quotes kept; empty: no data by design
    std::optional<std::string> isin;
};

Route routeOf(std::string_view symbol)
{
    Route route;
    if (isIndexSymbol(symbol)) {
        if (const auto successor = indexSuccessor(symbol))
            route.sourceSymbol = *successor;
        return route;
    }
    route.sourceSymbol = symbol;
    route.isin = isinOf(symbol);
    return route;
}

} // namespace

std::optional<std::string> isinOf(std::string_view symbol)
{
    const auto dot = symbol.find('.');
    const std::string_view code = symbol.substr(0, dot);
    if (dot != std::string_view::npos) {
        const std::string_view suffix = symbol.substr(dot + 1);
        if (suffix.empty() || !std::all_of(suffix.begin(), suffix.end(), isAsciiLetter))
            return std::nullopt;
    }
    if (code.size() != 12 || !isAsciiLetter(code[0]) || !isAsciiLetter(code[1]) || !isAsciiDigit(code[11]))
        return std::nullopt;
    for (std::size_t i = 2; i < 11; ++i) {
        if (!isAsciiLetter(code[i]) && !isAsciiDigit(code[i]))
            return std::nullopt;
    }
    if (!isinChecks(code))
        return std::nullopt;
    std::string isin(code);
    std::transform(isin.begin(), isin.end(), isin.begin(), upper);
    return isin;
}

std::string webUnavailableText(long minutes)
{
    return std::string(kWebUnavailablePrefix) + std::to_string(minutes) +
           (minutes == 1 ? " minuto" : " minuti");
}

std::string webSymbolsFailedText(std::size_t count)
{
    return "Sorgente web: " + std::to_string(count) +
           (count == 1 ? " simbolo non aggiornato" : " simboli non aggiornati");
}

WebAnswerTranslator::WebAnswerTranslator(LoopClock& clock)
    : m_ownGuards(std::make_unique<WebSourceGuards>(clock)),
      m_ownResolutions(std::make_unique<MemorySymbolResolutions>()), m_guards(*m_ownGuards),
      m_resolutions(*m_ownResolutions), m_wallClock(m_systemClock)
{
}

WebAnswerTranslator::WebAnswerTranslator(WebSourceGuards& guards, SymbolResolutions& resolutions,
                                         const WallClock& wallClock)
    : m_guards(guards), m_resolutions(resolutions), m_wallClock(wallClock)
{
}

std::string WebAnswerTranslator::chartRequestUrl(const WebSourceEndpoints& endpoints, std::string_view symbol)
{
    return endpoints.chartUrl + "/v8/finance/chart/" + percentEncode(symbol) + "?range=1d&interval=1d";
}

std::string WebAnswerTranslator::exchangeRequestUrl(const WebSourceEndpoints& endpoints)
{
    return endpoints.exchangeUrl + "/charts/services/ChartWService.asmx/GetPricesWithVolume";
}

std::string WebAnswerTranslator::exchangeRequestBody(std::string_view isin, std::string_view sampleTime,
                                                     std::string_view timeFrame)
{
    // The service's request object, as its own pages send it.
    const nlohmann::ordered_json body = {{"request",
                                          {{"SampleTime", sampleTime},
                                           {"TimeFrame", timeFrame},
                                           {"RequestedDataSetType", "ohlc"},
                                           {"ChartPriceType", "price"},
                                           {"Key", std::string(isin) + ".MOT"},
                                           {"OffSet", 0},
                                           {"FromDate", nullptr},
                                           {"ToDate", nullptr},
                                           {"UseDelay", true},
                                           {"KeyType", "Topic"},
                                           {"KeyType2", "Topic"},
                                           {"Language", "it-IT"}}}};
    return body.dump();
}

WebTranslation WebAnswerTranslator::failed(long minutes) const
{
    WebTranslation result;
    result.statusText = webUnavailableText(minutes);
    return result;
}

void WebAnswerTranslator::countFailedCycle(LoopClock::TimePoint now)
{
    ++m_failedCycles;
    if (m_failedCycles < kFailedCyclesBeforeRest)
        return;
    const int doublings = std::min(m_failedCycles - kFailedCyclesBeforeRest, 8);
    const auto rest = std::min<std::chrono::minutes>(kFirstRest * (1 << doublings), kLongestRest);
    m_guards.restUntil(now + rest);
}

namespace {

DecodedAnswer decoded(const std::optional<WebResponse>& response, WebHost host)
{
    if (!response) {
        DecodedAnswer none;
        none.fault = WebAnswerFault::NoAnswer;
        return none;
    }
    return host == WebHost::Exchange ? decodeExchangeAnswer(*response) : decodeChartAnswer(*response);
}

std::optional<WebQuote> quoteIfAnswered(DecodedAnswer answer)
{
    return answer.fault == WebAnswerFault::None ? std::optional<WebQuote>(std::move(answer.quote))
                                                : std::nullopt;
}

} // namespace

std::optional<WebQuote> WebAnswerTranslator::quoteOf(const std::string& symbol,
                                                     const std::optional<std::string>& isin,
                                                     const WebSourceEndpoints& endpoints,
                                                     WebRequestRound& round)
{
    const WebRequest chartRequest{chartRequestUrl(endpoints, symbol), ""};
    if (!isin)
        return quoteIfAnswered(decoded(round.send(chartRequest, WebHost::Chart), WebHost::Chart));

    DecodedAnswer answer = decoded(
        round.send(WebRequest{exchangeRequestUrl(endpoints), exchangeRequestBody(*isin)}, WebHost::Exchange),
        WebHost::Exchange);
    const bool unknownThere = answer.fault == WebAnswerFault::EmptyResult ||
                              answer.fault == WebAnswerFault::Status ||
                              answer.fault == WebAnswerFault::NotData;
    if (unknownThere) {
        // Not a security the exchange's service quotes (a fund, say): the chart
        // endpoint knows it by the search's symbol, or else maybe as written.
        const auto resolved = resolveIsin(*isin, endpoints, round, m_resolutions, m_wallClock);
        if (round.rateLimited() || round.stopped())
            return std::nullopt;
        const WebRequest request =
            resolved ? WebRequest{chartRequestUrl(endpoints, *resolved), ""} : chartRequest;
        return quoteIfAnswered(decoded(round.send(request, WebHost::Chart), WebHost::Chart));
    }
    if (answer.fault != WebAnswerFault::None)
        return std::nullopt;

    // The exchange's prices come without a name and without their decimals: the
    // chart endpoint is asked for those once a run.
    WebQuote quote = std::move(answer.quote);
    if (!m_described.contains(symbol)) {
        const DecodedAnswer description = decoded(round.send(chartRequest, WebHost::Chart), WebHost::Chart);
        if (description.fault == WebAnswerFault::None)
            m_descriptions.insert_or_assign(symbol, description.quote);
        if (description.fault != WebAnswerFault::NoAnswer && description.fault != WebAnswerFault::RateLimited)
            m_described.insert(symbol);
    }
    if (const auto it = m_descriptions.find(symbol); it != m_descriptions.end()) {
        quote.name = it->second.name;
        quote.decimals = it->second.decimals;
    }
    return quote;
}

WebTranslation WebAnswerTranslator::translate(std::string_view requestUrl,
                                              const WebSourceEndpoints& endpoints, WebTransport& transport,
                                              const StopSignal& stop)
{
    const std::lock_guard lock(m_mutex);
    const auto request = parseQuoteRequest(requestUrl);
    if (!request)
        return failed(1);

    LoopClock& clock = m_guards.clock();
    const LoopClock::TimePoint start = clock.now();
    if (const auto resting = m_guards.restingUntil())
        return failed(m_guards.minutesUntil(*resting));
    if (const auto it = m_lastCycle.find(requestUrl);
        it != m_lastCycle.end() && start - it->second.at < kCycleSpacing) {
        if (it->second.result.succeeded)
            return it->second.result;
        return failed(m_guards.minutesUntil(it->second.at + kCycleSpacing));
    }

    std::vector<Route> routes;
    routes.reserve(request->symbols.size());
    std::size_t asked = 0;
    std::size_t answered = 0;
    WebRequestRound round(m_guards, transport, stop);
    for (const std::string& symbol : request->symbols) {
        const Route& route = routes.emplace_back(routeOf(symbol));
        if (route.sourceSymbol.empty())
            continue;
        ++asked;
        if (auto quote = quoteOf(route.sourceSymbol, route.isin, endpoints, round)) {
            ++answered;
            m_lastGood.insert_or_assign(route.sourceSymbol, std::move(*quote));
        }
    }

    WebTranslation result;
    for (std::size_t i = 0; i < routes.size(); ++i) {
        if (routes[i].sourceSymbol.empty()) {
            result.body += emptyCsvLine(request->symbols[i], request->fields);
        } else {
            const auto kept = m_lastGood.find(routes[i].sourceSymbol);
            result.body += quoteCsvLine(request->symbols[i],
                                        kept == m_lastGood.end() ? nullptr : &kept->second, request->fields);
        }
        result.body += "\r\n";
    }

    if (round.stopped()) {
        result.succeeded = true;
        return result;
    }
    if (asked > 0 && answered == 0) {
        countFailedCycle(clock.now());
        const auto resting = m_guards.restingUntil();
        WebTranslation failure = failed(resting ? m_guards.minutesUntil(*resting) : 1);
        if (round.consentRequired())
            failure.statusText += kConsentRequiredSuffix;
        m_lastCycle.insert_or_assign(std::string(requestUrl), Cycle{start, failure});
        return failure;
    }
    m_failedCycles = 0;
    result.succeeded = true;
    if (answered < asked)
        result.statusText = webSymbolsFailedText(asked - answered) +
                            (round.consentRequired() ? std::string(kConsentRequiredSuffix) : std::string());
    m_lastCycle.insert_or_assign(std::string(requestUrl), Cycle{start, result});
    return result;
}

} // namespace listorix
