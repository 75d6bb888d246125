#pragma once

#include "quoted/Faults.h"
#include "quoted/HttpResponse.h"

#include <string_view>

namespace listorix::quoted {

class Market;

// The quote service's public search: GET /v1/finance/search?q=ISIN&quotesCount=1&newsCount=0.
inline constexpr std::string_view kWebSearchPath = "/v1/finance/search";

// Its answer, as JSON: for the ISIN of one of the market's funds (with or without a
// market suffix, letter case ignored)
//   {"explains":[],"count":1,"quotes":[{"exchange":"MIL","shortname":...,"quoteType":
//    "MUTUALFUND","symbol":"0P0000…","index":"quotes","score":20000.0,"typeDisp":"Fund",
//    "longname":...,"isYahooFinance":true}],"news":[],"nav":[],"lists":[],...}
// whose symbol the chart endpoint answers; for anything else the same answer with
// "count":0 and no quotes. A query without "q" gets 400.
HttpResponse answerWebSearch(const Market& market, std::string_view query, const Faults& faults = {});

} // namespace listorix::quoted
