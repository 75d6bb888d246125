#pragma once

#include "base/LoopClock.h"
#include "base/PriceSeries.h"

#include <chrono>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <string_view>

namespace listorix {

class StopSignal;
class SymbolResolutions;
class WallClock;
class WebSourceGuards;
class WebTransport;
struct WebSourceEndpoints;

// Why a chart page has no chart.
enum class ChartFailure
{
    None,
    NoData,          // the source has no prices of the security for the period
    Resting,         // the source rests after failures (or a rate limit met before)
    RateLimited,     // the source said too many requests just now
    NoConnection,    // no answer at all (name resolution, connection, TLS, a stop)
    ConsentRequired, // the source sent to its consent page
};

// What a chart fetch gave.
struct ChartHistoryResult
{
    ChartFailure failure = ChartFailure::None;
    PriceSeries series;         // its points never empty when failure is None
    long minutes = 0;           // Resting, RateLimited: the minutes until the source may be asked
    std::int64_t fetchedAt = 0; // seconds since the Unix epoch, on the wall clock

    bool operator==(const ChartHistoryResult&) const = default;
};

// Why, in Italian, for the failure page ("" for None).
std::string chartFailureText(const ChartHistoryResult& result);

// How the web source asks for a period: the chart endpoint's range and interval
// (1 day: 1d by 5m; 5 days: 5d by 15m; 3 and 6 months, 1 year: 3mo, 6mo, 1y by 1d;
// 2 and 5 years: 2y, 5y by 1wk), and the exchange's SampleTime and TimeFrame for an
// ISIN (1 day: 1mm over 1d; 5 days: 1d over 1m, of which the last five days are
// kept; 3mo, 6mo, 1y, 2y, 5y: 1d over 3m, 6m, 1y, 2y, 5y).
struct ChartRequestForm
{
    std::string_view range;
    std::string_view interval;
    bool daily = false; // the chart endpoint's bars are days or weeks
    std::string_view sampleTime;
    std::string_view timeFrame;
    std::size_t keepLastDays = 0; // 0: every row
};
const ChartRequestForm& chartRequestForm(ChartPeriod period);

// The history of one security over a period, for a chart page, from the web source:
// a symbol that looks like an ISIN from the exchange's chart service (named by the
// chart endpoint), else, or when the exchange has nothing, from the chart endpoint
// (an ISIN under the symbol the search gives, as the quotes do); an old index symbol
// under its successor. It shares the run's guards with the quotes' translator (its
// requests are paced with theirs, it honours their rest and a rate limit it meets
// rests them too) and the search's results kept. The same security and period is
// asked at most once a minute: within the minute the last result is given again.
// Safe to call from any thread, also while the quotes are fetched on another one.
class ChartHistory final
{
public:
    static constexpr std::chrono::seconds kSameRequestSpacing{60};

    // All must outlive it.
    ChartHistory(WebSourceGuards& guards, SymbolResolutions& resolutions, const WallClock& wallClock);

    // `symbol` as the table shows it (column "Codice").
    ChartHistoryResult fetch(std::string_view symbol, ChartPeriod period, const WebSourceEndpoints& endpoints,
                             WebTransport& transport, const StopSignal& stop);

    static std::string chartRequestUrl(const WebSourceEndpoints& endpoints, std::string_view symbol,
                                       ChartPeriod period);

private:
    struct Kept
    {
        LoopClock::TimePoint at;
        ChartHistoryResult result;
    };

    WebSourceGuards& m_guards;
    SymbolResolutions& m_resolutions;
    const WallClock& m_wallClock;
    std::mutex m_mutex; // guards m_kept, never held during a request
    std::map<std::string, Kept, std::less<>> m_kept;
};

} // namespace listorix
