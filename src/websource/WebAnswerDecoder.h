#pragma once

#include "base/PriceSeries.h"
#include "websource/WebQuote.h"
#include "websource/WebTransport.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace listorix {

// Why an answer of the web source gave no quote.
enum class WebAnswerFault
{
    None,
    NoAnswer,        // no HTTP answer (resolution, connection, TLS)
    Status,          // a status other than 200 (and 429), a redirection elsewhere than to consent
    RateLimited,     // 429, or a "too many requests" body ("Edge: Too Many Requests") with any status
    ConsentRequired, // a redirection to a consent host (guce., consent.): the answer is not followed
    NotData,         // a page instead of the answer: HTML, a consent page, anything not JSON
    EmptyResult,     // JSON without a result, or a result without a price
};

struct DecodedAnswer
{
    WebAnswerFault fault = WebAnswerFault::None;
    WebQuote quote; // meaningful when fault is None
};

// The fault of an answer before its body is read, if any (None for a 200 whose
// body is a JSON object).
WebAnswerFault responseFault(const WebResponse& response);

// The chart endpoint's answer: "chart.result[0]" with its "meta" (regularMarketPrice,
// regularMarketTime, previousClose or else chartPreviousClose, regularMarketDayHigh/Low,
// regularMarketVolume, shortName or else longName, currency, priceHint) and
// "indicators.quote[0].open[0]". Any of them may be missing altogether; only the
// price must be there.
DecodedAnswer decodeChartAnswer(const WebResponse& response);

// The exchange's chart service: {"d": [[ms, price, open, high, low, close, volume], …]};
// the last row is today, the close of the row before is the previous close. A row
// stamped at 00:00 UTC is a daily row: its stamp is its trading day, not a trade time.
DecodedAnswer decodeExchangeAnswer(const WebResponse& response);

// A history as an answer gives it.
struct DecodedHistory
{
    WebAnswerFault fault = WebAnswerFault::None;
    std::string name;               // Windows-1252, trimmed; empty when the answer names none
    std::string currency;           // empty when the answer names none
    std::vector<PricePoint> points; // oldest first; never empty when fault is None
};

// The chart endpoint's history: "timestamp" and "indicators.quote[0].close" (a null
// close is left out), the names and currency of "meta". `daily`: the bars are days
// (interval 1d or 1wk), each its calendar day where the exchange is (meta.gmtoffset),
// with no time; else trades at their Italian date and time. No bar is EmptyResult.
DecodedHistory decodeChartHistory(const WebResponse& response, bool daily);

// The exchange's rows as a history, the close of each row (its price when the close
// is null). `daily`: the rows are days (SampleTime 1d), each the UTC calendar day of
// a row stamped at 00:00 UTC, else its Italian day, with no time; else trades (1mm)
// at their Italian date and time.
DecodedHistory decodeExchangeHistory(const WebResponse& response, bool daily);

// What the quote service's search answered for an ISIN.
struct SearchAnswer
{
    WebAnswerFault fault = WebAnswerFault::None;
    // When fault is None: the symbol of the first quote found, or nothing when the
    // search found none.
    std::optional<std::string> symbol;
};

// The search's answer: {"count":1,"quotes":[{"symbol":"0P0000…","shortname":…,
// "quoteType":"MUTUALFUND",…}],"news":[],…}. A JSON object without a "quotes" array
// (an error object) is NotData: it says nothing of the ISIN.
SearchAnswer decodeSearchAnswer(const WebResponse& response);

} // namespace listorix
