#pragma once

#include "websource/StopSignal.h"
#include "websource/SymbolResolutions.h"
#include "websource/WallClock.h"
#include "websource/WebAnswerDecoder.h"
#include "websource/WebQuote.h"
#include "websource/WebSourceEndpoints.h"
#include "websource/WebSourceGuards.h"

#include <chrono>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <string_view>

namespace listorix {

class WebRequestRound;
class WebTransport;

// What one request of the catalogue became.
struct WebTranslation
{
    bool succeeded = false;
    std::string body;       // the CSV answer, lines ended by CR LF; empty on failure
    std::string statusText; // for the status line; empty when there is nothing to say
};

inline constexpr std::string_view kWebUnavailablePrefix = "Sorgente web non disponibile, ritento fra ";

// "Sorgente web non disponibile, ritento fra N minuti" ("1 minuto" for one).
std::string webUnavailableText(long minutes);
// "Sorgente web: N simboli non aggiornati" ("1 simbolo non aggiornato").
std::string webSymbolsFailedText(std::size_t count);
// What the status line adds when the source asked for a consent it cannot give.
inline constexpr std::string_view kConsentRequiredSuffix = " (consenso richiesto)";

// The web source: takes a request of the index or of a category as the catalogue
// builds it (its "s" symbols, its "f" fields), asks the web source for each symbol
// (one request per symbol: a symbol that looks like an ISIN goes to the exchange's
// chart service by POST; one the exchange does not answer (a fund) is resolved once
// through the quote service's search into the chart endpoint's own symbol, which
// is kept (SymbolResolutions), and asked of the chart endpoint (as written when the
// search found nothing); any other symbol to the chart endpoint by GET; the old
// index symbols to their successors) and writes the answers as the quote service's CSV
// lines, one per symbol in request order, so the parsers read them unchanged.
//
// Guards, all timed by the injected clock:
// - a page instead of data (HTML, a consent page) or an empty result fails that
//   symbol; so does a redirection, which is never followed (one to a consent host
//   adds "(consenso richiesto)" to the status line); a symbol that fails keeps the
//   values of its last good answer (N/A when it had none), and the status line
//   counts the failed symbols;
// - requests are at least 250 ms apart, whoever in the run sends them
//   (WebSourceGuards); the same request is asked of the source at most once a
//   minute (within the minute the last answer is given again); the search shares
//   every guard;
// - 429 or a "too many requests" body (whatever its status) ends the cycle and
//   pauses the source for the
//   Retry-After time (a minute when it names none, at most an hour);
// - a cycle in which no symbol was answered fails; after three such cycles in a
//   row the source rests 2, 4, 8 … up to 30 minutes, and a cycle asked for while it
//   rests fails at once with "Sorgente web non disponibile, ritento fra N minuti".
// Lives as long as the program, so that what it keeps survives the fetches; one
// translation runs at a time.
class WebAnswerTranslator final
{
public:
    static constexpr std::chrono::milliseconds kRequestSpacing = WebSourceGuards::kRequestSpacing;
    static constexpr std::chrono::seconds kCycleSpacing{60};
    static constexpr int kFailedCyclesBeforeRest = 3;
    static constexpr std::chrono::minutes kFirstRest{2};
    static constexpr std::chrono::minutes kLongestRest{30};

    // A source of its own: its guards on `clock`, the search's results kept for the
    // run, timed by the machine's clock.
    explicit WebAnswerTranslator(LoopClock& clock);
    // Sharing `guards` with the run's other users of the web source; the search's
    // results kept in `resolutions`, timed by `wallClock`. All must outlive it.
    WebAnswerTranslator(WebSourceGuards& guards, SymbolResolutions& resolutions, const WallClock& wallClock);

    // The answer to `requestUrl`, asked of the web source at `endpoints` through
    // `transport`. A stop ends the cycle early: what was answered so far counts,
    // the other symbols keep their last values, and the cycle is neither kept nor
    // counted.
    WebTranslation translate(std::string_view requestUrl, const WebSourceEndpoints& endpoints,
                             WebTransport& transport, const StopSignal& stop);

    // The requests of one symbol, as sent.
    static std::string chartRequestUrl(const WebSourceEndpoints& endpoints, std::string_view symbol);
    static std::string exchangeRequestUrl(const WebSourceEndpoints& endpoints);
    // The exchange's request of an ISIN: by default its daily rows of the last month.
    static std::string exchangeRequestBody(std::string_view isin, std::string_view sampleTime = "1d",
                                           std::string_view timeFrame = "1m");

private:
    struct Cycle
    {
        LoopClock::TimePoint at;
        WebTranslation result;
    };

    // The quote of one symbol of the source: an ISIN from the exchange's service
    // (named from the chart endpoint once a run; when the exchange does not know it,
    // from the chart endpoint under the search's symbol), any other symbol from the
    // chart endpoint.
    std::optional<WebQuote> quoteOf(const std::string& symbol, const std::optional<std::string>& isin,
                                    const WebSourceEndpoints& endpoints, WebRequestRound& round);
    WebTranslation failed(long minutes) const;
    void countFailedCycle(LoopClock::TimePoint now);

    // What the translator owns when nobody shares theirs.
    std::unique_ptr<WebSourceGuards> m_ownGuards;
    std::unique_ptr<MemorySymbolResolutions> m_ownResolutions;
    SystemWallClock m_systemClock;

    WebSourceGuards& m_guards;
    SymbolResolutions& m_resolutions;
    const WallClock& m_wallClock;

    std::mutex m_mutex;                                          // one translation at a time
    std::map<std::string, WebQuote, std::less<>> m_lastGood;     // by the symbol asked of the source
    std::map<std::string, Cycle, std::less<>> m_lastCycle;       // by request URL
    std::map<std::string, WebQuote, std::less<>> m_descriptions; // names and decimals of ISIN symbols
    std::set<std::string, std::less<>> m_described;              // ISIN symbols asked for them
    int m_failedCycles = 0;
};

// A symbol of the form of an ISIN (two letters, nine letters or digits, a check
// digit that checks), alone or followed by "." and a market suffix ("IT0005026163.MI");
// the ISIN in upper case, or nothing.
std::optional<std::string> isinOf(std::string_view symbol);

} // namespace listorix
