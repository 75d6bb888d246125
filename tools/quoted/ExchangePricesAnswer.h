#pragma once

#include "quoted/CivilTime.h"
#include "quoted/Faults.h"
#include "quoted/HttpResponse.h"

#include <string_view>

namespace listorix::quoted {

class Market;

// The exchange's chart service, asked by POST with a JSON body.
inline constexpr std::string_view kExchangePricesPath =
    "/charts/services/ChartWService.asmx/GetPricesWithVolume";

// Its answer to a body such as {"Key":"IT0005026163.MOT","SampleTime":"1d","TimeFrame":"1m"}
// (the fields may also sit in a "request" object): {"d":[[ms,price,open,high,low,close,
// volume],...]}, oldest first, the time in milliseconds since the epoch. SampleTime "1d"
// gives one row per trading day of the time frame ("1m", "3m", "6m", "1y", "2y" or
// "5y"): the last row is the current session as the CSV answer gives it, the close of
// the row before is its previous close; each row is stamped at its last price's moment,
// or, as the real service stamps them, at 00:00 UTC of its day (Faults::midnightRows).
// SampleTime "1mm" with TimeFrame "1d" gives the current session minute by minute,
// each row at its minute. A key the market does not quote gets {"d":[]}; a body that
// is not such a request, 400 with {"Message":...}.
HttpResponse answerExchangePrices(const Market& market, const LocalDateTime& now, std::string_view body,
                                  const Faults& faults = {});

} // namespace listorix::quoted
