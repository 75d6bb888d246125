#include "websource/ChartHistory.h"

#include "websource/IndexSuccessors.h"
#include "websource/IsinResolution.h"
#include "websource/StopSignal.h"
#include "websource/SymbolResolutions.h"
#include "websource/WallClock.h"
#include "websource/WebAnswerDecoder.h"
#include "websource/WebAnswerTranslator.h"
#include "websource/WebRequestRound.h"
#include "websource/WebSourceEndpoints.h"
#include "websource/WebSourceGuards.h"

#include <algorithm>
#include <array>
#include <set>

namespace listorix {

namespace {

constexpr std::array<ChartRequestForm, 7> kForms = {{
    {"1d", "5m", false, "1mm", "1d", 0},
    {"5d", "15m", false, "1d", "1m", 5},
    {"3mo", "1d", true, "1d", "3m", 0},
    {"6mo", "1d", true, "1d", "6m", 0},
    {"1y", "1d", true, "1d", "1y", 0},
    {"2y", "1wk", true, "1d", "2y", 0},
    {"5y", "1wk", true, "1d", "5y", 0},
}};

std::string minutesText(long minutes)
{
    return std::to_string(minutes) + (minutes == 1 ? " minuto" : " minuti");
}

bool unknownThere(WebAnswerFault fault)
{
    return fault == WebAnswerFault::EmptyResult || fault == WebAnswerFault::Status ||
           fault == WebAnswerFault::NotData;
}

// The points of the last `days` days.
void keepLastDays(std::vector<PricePoint>& points, std::size_t days)
{
    std::set<Date> seen;
    std::size_t first = points.size();
    while (first > 0) {
        seen.insert(points[first - 1].day);
        if (seen.size() > days)
            break;
        --first;
    }
    points.erase(points.begin(), points.begin() + static_cast<std::ptrdiff_t>(first));
}

DecodedHistory noAnswer()
{
    DecodedHistory history;
    history.fault = WebAnswerFault::NoAnswer;
    return history;
}

} // namespace

const ChartRequestForm& chartRequestForm(ChartPeriod period)
{
    return kForms[static_cast<std::size_t>(period)];
}

std::string chartFailureText(const ChartHistoryResult& result)
{
    switch (result.failure) {
    case ChartFailure::None:
        break;
    case ChartFailure::NoData:
        return "La sorgente web non ha dati di questo titolo per il periodo scelto.";
    case ChartFailure::Resting:
        return "La sorgente web \xE8 a riposo dopo troppi errori: riprova fra " +
               minutesText(result.minutes) + ".";
    case ChartFailure::RateLimited:
        return "La sorgente web ha ricevuto troppe richieste e chiede di aspettare: riprova fra " +
               minutesText(result.minutes) + ".";
    case ChartFailure::NoConnection:
        return "Nessuna connessione con la sorgente web: controlla il collegamento a Internet e il proxy.";
    case ChartFailure::ConsentRequired:
        return "La sorgente web chiede il consenso ai cookie, che il programma non pu\xF2 dare (consenso "
               "richiesto).";
    }
    return {};
}

ChartHistory::ChartHistory(WebSourceGuards& guards, SymbolResolutions& resolutions,
                           const WallClock& wallClock)
    : m_guards(guards), m_resolutions(resolutions), m_wallClock(wallClock)
{
}

std::string ChartHistory::chartRequestUrl(const WebSourceEndpoints& endpoints, std::string_view symbol,
                                          ChartPeriod period)
{
    const ChartRequestForm& form = chartRequestForm(period);
    std::string url = WebAnswerTranslator::chartRequestUrl(endpoints, symbol);
    url.resize(url.find('?'));
    return url + "?range=" + std::string(form.range) + "&interval=" + std::string(form.interval);
}

ChartHistoryResult ChartHistory::fetch(std::string_view symbol, ChartPeriod period,
                                       const WebSourceEndpoints& endpoints, WebTransport& transport,
                                       const StopSignal& stop)
{
    LoopClock& clock = m_guards.clock();
    const std::string key = std::string(symbol) + '\t' + std::to_string(static_cast<int>(period));
    {
        const std::lock_guard lock(m_mutex);
        if (const auto it = m_kept.find(key);
            it != m_kept.end() && clock.now() - it->second.at < kSameRequestSpacing)
            return it->second.result;
    }

    ChartHistoryResult result;
    result.series.symbol = std::string(symbol);
    result.fetchedAt = m_wallClock.nowSeconds();
    if (const auto resting = m_guards.restingUntil()) {
        result.failure = ChartFailure::Resting;
        result.minutes = m_guards.minutesUntil(*resting);
        return result;
    }

    std::string asked(symbol);
    if (isIndexSymbol(symbol)) {
        const auto successor = indexSuccessor(symbol);
        asked = successor ? std::string(*successor) : std::string();
    }

    const ChartRequestForm& form = chartRequestForm(period);
    WebRequestRound round(m_guards, transport, stop);
    const auto chartHistory = [&](const std::string& chartSymbol) {
        const auto response =
            round.send(WebRequest{chartRequestUrl(endpoints, chartSymbol, period), ""}, WebHost::Chart);
        return response ? decodeChartHistory(*response, form.daily) : noAnswer();
    };

    DecodedHistory history;
    history.fault = WebAnswerFault::EmptyResult;
    if (asked.empty()) {
        // An index without a successor has no data by design.
    } else if (const auto isin = isinOf(asked)) {
        const auto response = round.send(
            WebRequest{WebAnswerTranslator::exchangeRequestUrl(endpoints),
                       WebAnswerTranslator::exchangeRequestBody(*isin, form.sampleTime, form.timeFrame)},
            WebHost::Exchange);
        history = response ? decodeExchangeHistory(*response, form.sampleTime == "1d") : noAnswer();
        if (history.fault == WebAnswerFault::None) {
            if (form.keepLastDays > 0)
                keepLastDays(history.points, form.keepLastDays);
            // The exchange's prices come without a name: the chart endpoint gives it.
            if (const auto named = round.send(
                    WebRequest{WebAnswerTranslator::chartRequestUrl(endpoints, asked), ""}, WebHost::Chart)) {
                const DecodedAnswer description = decodeChartAnswer(*named);
                if (description.fault == WebAnswerFault::None)
                    history.name = description.quote.name;
            }
        } else if (unknownThere(history.fault)) {
            const auto resolved = resolveIsin(*isin, endpoints, round, m_resolutions, m_wallClock);
            if (!round.rateLimited() && !round.stopped())
                history = chartHistory(resolved ? *resolved : asked);
        }
    } else {
        history = chartHistory(asked);
    }

    if (history.fault == WebAnswerFault::None) {
        result.series.name = std::move(history.name);
        result.series.currency = std::move(history.currency);
        result.series.points = std::move(history.points);
    } else if (round.rateLimited()) {
        result.failure = ChartFailure::RateLimited;
        const auto resting = m_guards.restingUntil();
        result.minutes = resting ? m_guards.minutesUntil(*resting) : 1;
    } else if (round.consentRequired()) {
        result.failure = ChartFailure::ConsentRequired;
    } else if (round.stopped() || history.fault == WebAnswerFault::NoAnswer) {
        result.failure = ChartFailure::NoConnection;
    } else {
        result.failure = ChartFailure::NoData;
    }

    // What came of asking is kept for the minute; an unanswered try is not.
    if (result.failure != ChartFailure::NoConnection) {
        const std::lock_guard lock(m_mutex);
        m_kept.insert_or_assign(key, Kept{clock.now(), result});
    }
    return result;
}

} // namespace listorix
