#pragma once

#include "quoted/CivilTime.h"
#include "quoted/Market.h"

#include <string>
#include <string_view>

namespace listorix::quoted {

// The chart page of a security: its name, symbol and last price, links to the other
// periods, and the period's prices drawn as an inline SVG line chart. Italian, plain
// ASCII (accents as entities).
std::string buildChartPage(const Market& market, const Security& security, const LocalDateTime& now,
                           ChartPeriod period);
// The page for a symbol the service does not quote.
std::string buildUnknownSymbolPage(std::string_view symbol);

} // namespace listorix::quoted
