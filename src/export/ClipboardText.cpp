#include "export/ClipboardText.h"

#include "grid/TAlignGrid.h"

#include <algorithm>

namespace listorix {

std::string clipboardText(const TAlignGrid& grid, char userDecimalSeparator)
{
    const bool convert = userDecimalSeparator != ',';
    std::string text;
    for (int row = 0; row < grid.rowCount(); ++row) {
        for (int col = 0; col < grid.colCount(); ++col) {
            if (col != 0)
                text += '\t';
            std::string cell = grid.cell(col, row);
            if (convert && row != 0 && col != 0)
                std::replace(cell.begin(), cell.end(), ',', userDecimalSeparator);
            text += cell;
        }
        text += "\r\n";
    }
    return text;
}

} // namespace listorix
