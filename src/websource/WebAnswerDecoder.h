#pragma once

#include "websource/WebQuote.h"
#include "websource/WebTransport.h"

#include <string_view>

namespace listorix {

// Why an answer of the web source gave no quote.
enum class WebAnswerFault
{
    None,
    NoAnswer,    // no HTTP answer (resolution, connection, TLS)
    Status,      // a status other than 200 (and 429)
    RateLimited, // 429, or a "too many requests" page sent with 200
    NotData,     // a page instead of the answer: HTML, a consent page, anything not JSON
    EmptyResult, // JSON without a result, or a result without a price
};

struct DecodedAnswer
{
    WebAnswerFault fault = WebAnswerFault::None;
    WebQuote quote; // meaningful when fault is None
};

// The chart endpoint's answer: "chart.result[0]" with its "meta" (regularMarketPrice,
// regularMarketTime, chartPreviousClose, regularMarketDayHigh/Low,
// regularMarketVolume, shortName, priceHint) and "indicators.quote[0].open[0]".
DecodedAnswer decodeChartAnswer(const WebResponse& response);

// The exchange's chart service: {"d": [[ms, price, open, high, low, close, volume], …]};
// the last row is today, the close of the row before is the previous close.
DecodedAnswer decodeExchangeAnswer(const WebResponse& response);

} // namespace listorix
