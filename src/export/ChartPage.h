#pragma once

#include "base/PriceSeries.h"
#include "export/HtmlReport.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace listorix {

// The chart page lies beside the report, in the program directory, under this
// name; each chart replaces it.
inline constexpr std::string_view kChartPageFileName = "grafico.html";

// What every chart page says of its data.
inline constexpr std::string_view kUnofficialSourceLine =
    "Fonte non ufficiale: i dati vengono da servizi pubblici che non sono fatti per questo programma, "
    "possono essere incompleti o in ritardo e servono solo per uso personale.";

// The chart page of a security's history over a period, a whole HTML page in
// Windows-1252 (declared so), lines ended by CR LF: the code, the name (with its
// currency when that is not the euro) and the period as its title and heading; one
// line chart as inline SVG, the points evenly spaced in time order, its value axis
// in the program's number format (decimal comma, thousands point), its time axis
// "h:mm" for one day, DD/MM/YYYY and "h:mm" for five, DD/MM/YYYY beyond; the first,
// last, lowest and highest price with their dates; when it was fetched (`fetchedAt`,
// seconds since the Unix epoch, shown in Italian time); and the unofficial-source
// line. Every text of the series is escaped. No script, no remote resource. A series
// without points gives the failure page's "no data" text.
std::string chartPageHtml(const PriceSeries& series, ChartPeriod period, std::int64_t fetchedAt);

// The page shown in place of a chart: the code and the period as its title, the
// reason (Italian, escaped), when it was asked for and the unofficial-source line.
std::string chartFailurePageHtml(std::string_view symbol, ChartPeriod period, std::string_view reason,
                                 std::int64_t askedAt);

// Replaces `fileName` with `html` atomically; on failure the old file stays as it was.
// Never throws.
ReportWriteResult WriteChartPage(const std::string& fileName, std::string_view html);

} // namespace listorix
