#include "grid/NameColumnFill.h"

#include "grid/TAlignGrid.h"

#include <algorithm>

namespace listorix {

int nameColumnWidth(const TAlignGrid& grid, int columns, int clientWidth)
{
    int width = clientWidth - columns;
    for (int col = 0; col < columns; ++col) {
        if (col != 1)
            width -= grid.colWidth(col);
    }
    return std::max(width, kMinNameColumnWidth);
}

void RidimensionaGriglia(TAlignGrid& grid, int columns, int clientWidth)
{
    grid.setColWidth(1, nameColumnWidth(grid, columns, clientWidth));
}

} // namespace listorix
