#include "market/QuoteTables.h"

#include "grid/TAlignGrid.h"

namespace listorix {

void setUpQuoteTable(TAlignGrid& grid, ConnectionId id)
{
    const Category& category = categoryOf(id);
    grid.setColCount(static_cast<int>(category.columns.size()));
    grid.setRowCount(2);
    grid.setDefaultRowHeight(18);
    grid.setColor(clWhite);
    grid.setRowSelect(true);
    grid.setEditing(false);
    for (int col = 0; col < grid.colCount(); ++col) {
        const ColumnDesign& design = category.columns[static_cast<std::size_t>(col)];
        grid.setCell(col, 0, std::string(design.title));
        grid.setColWidth(col, design.width);
        grid.setAlignCol(col, design.alignment);
        grid.setFixedAlignCol(col, col == 0 ? Alignment::Left : Alignment::Center);
    }
    grid.setColorCol(0, clLightCyan);
    if (category.compareCol)
        grid.OnCompareCol = category.compareCol;
}

} // namespace listorix
