#pragma once

#include "quoted/CivilTime.h"
#include "quoted/HttpResponse.h"

#include <string_view>

namespace listorix::quoted {

class Market;

// The path under which the web chart API answers one symbol: "/v8/finance/chart/ENI.MI".
inline constexpr std::string_view kWebChartPathPrefix = "/v8/finance/chart/";

// The web chart API's answer for one symbol (percent-decoded) and its query, as JSON:
// {"chart":{"result":[{"meta":{...},"timestamp":[...],"indicators":{"quote":[{...}]}}],
// "error":null}} with the values the CSV answer gives for the same moment. Today's
// indices answer under their own symbols, with the values of the index each succeeded;
// the old index symbols, and symbols the market does not know, get 404 with
// {"chart":{"result":null,"error":{"code":"Not Found",...}}}. Only range=1d and
// interval=1d are served (400 otherwise).
HttpResponse answerWebChart(const Market& market, const LocalDateTime& now, std::string_view symbol,
                            std::string_view query);

} // namespace listorix::quoted
