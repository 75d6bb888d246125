#include "portfolio/PortfolioTable.h"

#include "grid/TAlignGrid.h"

#include <array>
#include <cstddef>

namespace listorix {

namespace {

struct PortfolioColumnDesign
{
    std::string_view title;
    int width;
    Alignment alignment;
    bool editable;
    TColor background; // -1: the table's own
};

constexpr TColor kTableColour = -1;

constexpr std::array<PortfolioColumnDesign, kPortfolioColumns> kColumns = {{
    {"Codice", 64, Alignment::Left, false, kTableColour},
    {"Nome", 111, Alignment::Left, false, kTableColour},
    {"Tipo", 31, Alignment::Center, false, kTableColour},
    {"Quote", 52, Alignment::Right, true, kTableColour},
    {"Data", 53, Alignment::Center, false, clLightCyan},
    {"Quotazione", 64, Alignment::Right, false, clLightCyan},
    {"Acquisto", 66, Alignment::Right, true, kTableColour},
    {"Data Acq.", 54, Alignment::Center, true, kTableColour},
    {"Var.%", 41, Alignment::Center, false, kTableColour},
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
    for (std::size_t i = 0; i < kColumns.size(); ++i) {
        const PortfolioColumnDesign& design = kColumns[i];
        const int col = static_cast<int>(i);
        grid.setCell(col, 0, std::string(design.title));
        grid.setColWidth(col, design.width);
        grid.setAlignCol(col, design.alignment);
        grid.setFixedAlignCol(col, col <= PortfolioColumn::Nome ? Alignment::Left : Alignment::Center);
        grid.setEditCol(col, design.editable);
        if (design.background != kTableColour)
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
