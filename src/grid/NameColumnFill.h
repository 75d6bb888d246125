#pragma once

namespace listorix {

class TAlignGrid;

// A name column never gets narrower than this; the table then scrolls sideways.
inline constexpr int kMinNameColumnWidth = 100;

// The fill rule of the main window's tables: the name column (column 1) takes the
// table's client width, less one pixel of grid line for each of the first
// `columns` columns, less the widths of those columns other than itself; at
// least kMinNameColumnWidth.
int nameColumnWidth(const TAlignGrid& grid, int columns, int clientWidth);

// Applies the fill rule to the table.
void RidimensionaGriglia(TAlignGrid& grid, int columns, int clientWidth);

} // namespace listorix
