#include "market/ChartEntries.h"

#include "grid/TAlignGrid.h"
#include "market/QuoteServiceHost.h"

namespace listorix {

bool chartPeriodServesBonds(int period)
{
    return period == 1 || period == 2;
}

bool chartEntryEnabled(int period, bool bondsTableFocused)
{
    return !bondsTableFocused || chartPeriodServesBonds(period);
}

std::optional<std::string> chartEntryUrl(const ChartTables& tables, std::string_view host, int period)
{
    const struct
    {
        const TAlignGrid& grid;
        bool served;
    } candidates[] = {
        {tables.StringGridYahoo, true},
        {tables.StringGridYahooOBB, chartPeriodServesBonds(period)},
        {tables.StringGridYahooDerivati, true},
    };
    for (const auto& candidate : candidates) {
        if (candidate.served && candidate.grid.focused())
            return chartPageUrl(host, candidate.grid.cell(0, candidate.grid.currentRow()), period);
    }
    return std::nullopt;
}

} // namespace listorix
