#include "portfolio/PortfolioTable.h"

#include "ui/TAlignGrid.h"

#include <array>
#include <cstddef>

namespace listorix {

namespace {

struct ColumnDesign
{
    std::string_view title;
    int width;
    Alignment alignment;
    bool editable;
    TColor background; // -1: the table's own
};

constexpr TColor tableColour = -1;

constexpr std::array<ColumnDesign, kPortfolioColumns> columns = {{
    {"Codice", 64, Alignment::Left, false, tableColour},
    {"Nome", 111, Alignment::Left, false, tableColour},
    {"Tipo", 31, Alignment::Center, false, tableColour},
    {"Quote", 52, Alignment::Right, true, tableColour},
    {"Data", 53, Alignment::Center, false, clLightCyan},
    {"Quotazione", 64, Alignment::Right, false, clLightCyan},
    {"Acquisto", 66, Alignment::Right, true, tableColour},
    {"Data Acq.", 54, Alignment::Center, true, tableColour},
    {"Var.%", 41, Alignment::Center, false, tableColour},
    {"Guadagno", 64, Alignment::Right, false, clLightGreen},
    {"Totale", 64, Alignment::Right, false, clLightYellow},
}};

} // namespace

void setUpPortfolioTable(TAlignGrid& grid)
{
    grid.setColCount(kPortfolioColumns);
    grid.setRowCount(2);
    grid.setDefaultRowHeight(18);
    grid.setEditing(true);
    grid.setRowSelect(false);
    grid.setShowCellHints(true);
    grid.setHint(std::string(kPortfolioTableHint));
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const ColumnDesign& design = columns[i];
        const int col = static_cast<int>(i);
        grid.setCell(col, 0, std::string(design.title));
        grid.setColWidth(col, design.width);
        grid.setAlignCol(col, design.alignment);
        grid.setFixedAlignCol(col, col <= PortfolioColumn::Nome ? Alignment::Left : Alignment::Center);
        grid.setEditCol(col, design.editable);
        if (design.background != tableColour)
            grid.setColorCol(col, design.background);
    }
}

bool isFreeRow(const TAlignGrid& grid, int row)
{
    return row >= 1 && row < grid.rowCount() && grid.cell(PortfolioColumn::Tipo, row).empty();
}

int rowForNewEntry(TAlignGrid& grid)
{
    const int last = grid.rowCount() - 1;
    if (isFreeRow(grid, last))
        return last;
    grid.setRowCount(grid.rowCount() + 1);
    return grid.rowCount() - 1;
}

} // namespace listorix
