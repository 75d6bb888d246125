#pragma once

#include "grid/TAlignGrid.h"
#include "portfolio/PortfolioTable.h"

#include <array>

namespace listorix::test {

// The portfolio table with the program's own design and one data row holding the
// worked example (100 units bought at 10, now at 12,4) as the valuation leaves it.
inline void setUpWorkedExamplePortfolio(TAlignGrid& grid)
{
    setUpPortfolioTable(grid);
    static const std::array<const char*, kPortfolioColumns> row = {
        "ENI.MI",
        "ENI",
        "TA",
        "100",
        "14/05",
        "12,4000",
        "        10,0000",
        "01/02/2003",
        "24,00",
        "       240,0000",
        "     1.240,0000",
    };
    for (int col = 0; col < kPortfolioColumns; ++col)
        grid.setCell(col, 1, row[static_cast<std::size_t>(col)]);
}

// The row as the selection highlight leaves it: every text white.
inline void highlightRow(TAlignGrid& grid, int row)
{
    for (int col = 0; col < grid.colCount(); ++col)
        grid.setFontColorCell(col, row, clWhite);
}

} // namespace listorix::test
