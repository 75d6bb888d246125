#include "websource/WebAnswerTranslator.h"

#include "base/PercentEncoding.h"
#include "websource/IndexSuccessors.h"
#include "websource/QuoteCsvLine.h"
#include "websource/QuoteRequest.h"
#include "websource/WebAnswerDecoder.h"
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

WebAnswerTranslator::WebAnswerTranslator(LoopClock& clock) : m_clock(clock) {}

std::string WebAnswerTranslator::chartRequestUrl(const WebSourceEndpoints& endpoints, std::string_view symbol)
{
    return endpoints.chartUrl + "/v8/finance/chart/" + percentEncode(symbol) + "?range=1d&interval=1d";
}

std::string WebAnswerTranslator::exchangeRequestUrl(const WebSourceEndpoints& endpoints)
{
    return endpoints.exchangeUrl + "/charts/services/ChartWService.asmx/GetPricesWithVolume";
}

std::string WebAnswerTranslator::exchangeRequestBody(std::string_view isin)
{
    // The service's request object; daily prices of the last month.
    const nlohmann::ordered_json body = {{"request",
                                          {{"SampleTime", "1d"},
                                           {"TimeFrame", "1m"},
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

long WebAnswerTranslator::minutesUntil(LoopClock::TimePoint when) const
{
    const auto left = duration_cast<seconds>(when - m_clock.now()).count();
    return std::max<long>(1, static_cast<long>((left + 59) / 60));
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
    m_restUntil = std::max(m_restUntil, now + rest);
}

DecodedAnswer WebAnswerTranslator::ask(const WebRequest& request, bool exchange, CycleState& cycle,
                                       WebTransport& transport, const StopSignal& stop)
{
    DecodedAnswer answer;
    answer.fault = WebAnswerFault::NoAnswer;
    const bool down = exchange ? cycle.exchangeDown : cycle.chartDown;
    if (cycle.stopped || cycle.rateLimited || down)
        return answer;
    if (m_requestedBefore && !stop.waitUntil(m_clock, m_lastRequestAt + kRequestSpacing)) {
        cycle.stopped = true;
        return answer;
    }
    if (stop.stopped()) {
        cycle.stopped = true;
        return answer;
    }
    m_requestedBefore = true;
    m_lastRequestAt = m_clock.now();

    const WebResponse response = transport.perform(request);
    answer = exchange ? decodeExchangeAnswer(response) : decodeChartAnswer(response);
    if (answer.fault == WebAnswerFault::NoAnswer) {
        // A stop ends the transfer without an answer; otherwise the host is out of
        // reach and the other symbols would only wait for it too.
        if (stop.stopped())
            cycle.stopped = true;
        else
            (exchange ? cycle.exchangeDown : cycle.chartDown) = true;
    } else if (answer.fault == WebAnswerFault::ConsentRequired) {
        cycle.consentRequired = true;
    } else if (answer.fault == WebAnswerFault::RateLimited) {
        cycle.rateLimited = true;
        auto pause = std::chrono::duration_cast<seconds>(kDefaultRateLimitPause);
        if (response.retryAfterSeconds && *response.retryAfterSeconds >= 0)
            pause = std::min<seconds>(seconds(*response.retryAfterSeconds), kLongestRetryAfter);
        m_restUntil = std::max(m_restUntil, m_clock.now() + pause);
    }
    return answer;
}

std::optional<WebQuote> WebAnswerTranslator::quoteOf(const std::string& symbol,
                                                     const std::optional<std::string>& isin,
                                                     const WebSourceEndpoints& endpoints, CycleState& cycle,
                                                     WebTransport& transport, const StopSignal& stop)
{
    const WebRequest chartRequest{chartRequestUrl(endpoints, symbol), ""};
    if (!isin) {
        DecodedAnswer answer = ask(chartRequest, false, cycle, transport, stop);
        return answer.fault == WebAnswerFault::None ? std::optional<WebQuote>(std::move(answer.quote))
                                                    : std::nullopt;
    }

    DecodedAnswer answer = ask(WebRequest{exchangeRequestUrl(endpoints), exchangeRequestBody(*isin)}, true,
                               cycle, transport, stop);
    const bool unknownThere = answer.fault == WebAnswerFault::EmptyResult ||
                              answer.fault == WebAnswerFault::Status ||
                              answer.fault == WebAnswerFault::NotData;
    if (unknownThere) {
        // Not a security the exchange's service quotes (a fund, say): the chart
        // endpoint may know it under the symbol as written.
        answer = ask(chartRequest, false, cycle, transport, stop);
        return answer.fault == WebAnswerFault::None ? std::optional<WebQuote>(std::move(answer.quote))
                                                    : std::nullopt;
    }
    if (answer.fault != WebAnswerFault::None)
        return std::nullopt;

    // The exchange's prices come without a name and without their decimals: the
    // chart endpoint is asked for those once a run.
    WebQuote quote = std::move(answer.quote);
    if (!m_described.contains(symbol)) {
        const DecodedAnswer description = ask(chartRequest, false, cycle, transport, stop);
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

    const LoopClock::TimePoint start = m_clock.now();
    if (start < m_restUntil)
        return failed(minutesUntil(m_restUntil));
    if (const auto it = m_lastCycle.find(requestUrl);
        it != m_lastCycle.end() && start - it->second.at < kCycleSpacing) {
        if (it->second.result.succeeded)
            return it->second.result;
        return failed(minutesUntil(it->second.at + kCycleSpacing));
    }

    std::vector<Route> routes;
    routes.reserve(request->symbols.size());
    std::size_t asked = 0;
    std::size_t answered = 0;
    CycleState cycle;
    for (const std::string& symbol : request->symbols) {
        const Route& route = routes.emplace_back(routeOf(symbol));
        if (route.sourceSymbol.empty())
            continue;
        ++asked;
        if (auto quote = quoteOf(route.sourceSymbol, route.isin, endpoints, cycle, transport, stop)) {
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

    if (cycle.stopped) {
        result.succeeded = true;
        return result;
    }
    if (asked > 0 && answered == 0) {
        countFailedCycle(m_clock.now());
        const long minutes = m_clock.now() < m_restUntil ? minutesUntil(m_restUntil) : 1;
        WebTranslation failure = failed(minutes);
        if (cycle.consentRequired)
            failure.statusText += kConsentRequiredSuffix;
        m_lastCycle.insert_or_assign(std::string(requestUrl), Cycle{start, failure});
        return failure;
    }
    m_failedCycles = 0;
    result.succeeded = true;
    if (answered < asked)
        result.statusText = webSymbolsFailedText(asked - answered) +
                            (cycle.consentRequired ? std::string(kConsentRequiredSuffix) : std::string());
    m_lastCycle.insert_or_assign(std::string(requestUrl), Cycle{start, result});
    return result;
}

} // namespace listorix
