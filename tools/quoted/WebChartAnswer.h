#pragma once

#include "quoted/CivilTime.h"
#include "quoted/Faults.h"
#include "quoted/HttpResponse.h"

#include <string_view>

namespace listorix::quoted {

class Market;

// The path under which the web chart API answers one symbol: "/v8/finance/chart/ENI.MI".
inline constexpr std::string_view kWebChartPathPrefix = "/v8/finance/chart/";

// The web chart API's answer for one symbol (percent-decoded) and its query, as JSON:
// {"chart":{"result":[{"meta":{...},"timestamp":[...],"indicators":{"quote":[{...}]}}],
// "error":null}}.
//
// range=1d&interval=1d (also when the keys are missing) is the quote: one bar with the
// values the CSV answer gives for the same moment, meta with previousClose and
// chartPreviousClose. The chart forms give the security's invented history: range=1d
// with interval=5m, 5d with 15m (bars every 5 or 15 minutes of the sessions, the last
// at the current minute), 3mo, 6mo and 1y with 1d (a bar a trading day, stamped at
// the session's opening time) and 2y and 5y with 1wk (a bar a week, stamped at the
// week's Monday); any other pair gets 400.
//
// Today's indices answer under their own symbols, with the values of the index each
// succeeded; funds only under their own search symbol (Market::fundSearchSymbol), not
// by ISIN; the old index symbols and symbols the market does not know get 404 with
// {"chart":{"result":null,"error":{"code":"Not Found",...}}}. `faults` shapes the
// answer as the real service's answers come (names, currency, decimals, keys).
HttpResponse answerWebChart(const Market& market, const LocalDateTime& now, std::string_view symbol,
                            std::string_view query, const Faults& faults = {});

} // namespace listorix::quoted
