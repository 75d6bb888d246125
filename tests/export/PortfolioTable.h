#pragma once

#include "ui/TAlignGrid.h"

#include <array>
#include <string>

namespace listorix::test {

// A portfolio table as the main window lays it out: 11 columns with their titles
// and alignments, a header row and one data row holding the worked example
// (100 units bought at 10, now at 12,4) as the valuation leaves it.
inline void setUpPortfolioTable(TAlignGrid& grid)
{
    struct Column
    {
        const char* title;
        Alignment alignment;
        const char* value;
    };
    static const std::array<Column, 11> columns = {{
        {"Codice", Alignment::Left, "ENI.MI"},
        {"Nome", Alignment::Left, "ENI"},
        {"Tipo", Alignment::Center, "TA"},
        {"Quote", Alignment::Right, "100"},
        {"Data", Alignment::Center, "14/05"},
        {"Quotazione", Alignment::Right, "12,4000"},
        {"Acquisto", Alignment::Right, "        10,0000"},
        {"Data Acq.", Alignment::Center, "01/02/2003"},
        {"Var.%", Alignment::Center, "24,00"},
        {"Guadagno", Alignment::Right, "       240,0000"},
        {"Totale", Alignment::Right, "     1.240,0000"},
    }};
    grid.setColCount(static_cast<int>(columns.size()));
    grid.setRowCount(2);
    for (int col = 0; col < grid.colCount(); ++col) {
        const Column& column = columns[static_cast<std::size_t>(col)];
        grid.setCell(col, 0, column.title);
        grid.setCell(col, 1, column.value);
        grid.setAlignCol(col, column.alignment);
        grid.setFixedAlignCol(col, col <= 1 ? Alignment::Left : Alignment::Center);
    }
    grid.setColorCol(4, clLightCyan);
    grid.setColorCol(5, clLightCyan);
    grid.setColorCol(9, clLightGreen);
    grid.setColorCol(10, clLightYellow);
}

// The row as the selection highlight leaves it: every text white.
inline void highlightRow(TAlignGrid& grid, int row)
{
    for (int col = 0; col < grid.colCount(); ++col)
        grid.fontCell(col, row).color = clWhite;
}

} // namespace listorix::test
