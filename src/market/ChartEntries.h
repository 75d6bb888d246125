#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace listorix {

class TAlignGrid;

// One chart entry of the category tables' menu: its item name, caption and period.
struct ChartEntry
{
    std::string_view name;    // the menu item, e.g. "Grafico1giorno1"
    std::string_view caption; // e.g. "Grafico 1 giorno"
    int period;               // 1 (1 day) to 7 (5 years)
};

inline constexpr std::array<ChartEntry, 7> kChartEntries = {{
    {"Grafico1giorno1", "Grafico 1 giorno", 1},
    {"Grafico5giorni1", "Grafico 5 giorni", 2},
    {"Grafico3mesi1", "Grafico 3 mesi", 3},
    {"Grafico6mesi1", "Grafico 6 mesi", 4},
    {"Grafico1anno1", "Grafico 1 anno", 5},
    {"Grafico2anni1", "Grafico 2 anni", 6},
    {"Grafico5anni1", "Grafico 5 anni", 7},
}};

// The tables a chart entry may serve, looked at in this order. The funds table is
// served by none.
struct ChartTables
{
    const TAlignGrid& StringGridYahoo;         // shares: every period
    const TAlignGrid& StringGridYahooOBB;      // bonds: 1 day and 5 days only
    const TAlignGrid& StringGridYahooDerivati; // derivatives: every period
};

// Whether the bonds table has a chart of that period (1 day and 5 days).
bool chartPeriodServesBonds(int period);

// The opening of the tables' menu: an entry is enabled unless the bonds table has
// the focus and the entry does not serve it.
bool chartEntryEnabled(int period, bool bondsTableFocused);

// The address a chart entry opens: the chart page, on the quote service's host, of
// the current row's code (column 0, unchanged, possibly empty) in the first served
// table that has the keyboard focus. None when no served table has it, or for a
// period outside 1-7.
std::optional<std::string> chartEntryUrl(const ChartTables& tables, std::string_view host, int period);

} // namespace listorix
