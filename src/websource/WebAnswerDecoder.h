#pragma once

#include "websource/WebQuote.h"
#include "websource/WebTransport.h"

#include <optional>
#include <string>
#include <string_view>

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
