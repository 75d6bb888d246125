#pragma once

#include "base/PriceSeries.h"

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace listorix::chart {

struct ChartToolOptions
{
    // The program folder: its LISTORIX.INI names the web source's addresses (and
    // keeps the search's results); the page goes there unless `out` says otherwise.
    std::string dir;
    std::string symbol;
    ChartPeriod period = ChartPeriod::OneDay;
    std::string out; // empty: <dir>/grafico.html
    bool help = false;
};

// "--dir DIR [--out FILE] SYMBOL PERIOD", PERIOD one of 1d 5d 3mo 6mo 1y 2y 5y (or
// the menu entries' numbers 1 to 7). Nothing, and `error` says why, when they do not read.
std::optional<ChartToolOptions> parseChartArguments(const std::vector<std::string>& arguments,
                                                    std::string& error);
std::string chartUsageText();

// Fetches the history from the web source at the folder's addresses (through the
// program's proxy when its settings switch it on) and writes the chart page, or the
// page that says why there is none. Prints the page's path on `out`, what went
// wrong on `err`. Exit status: 0 a chart, 1 a failure page, 2 no page written.
int runChartTool(const ChartToolOptions& options, std::ostream& out, std::ostream& err);

} // namespace listorix::chart
