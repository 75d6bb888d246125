#pragma once

#include "market/Categories.h"

namespace listorix {

class TAlignGrid;

// Gives a new table the design of its category's row: columns, titles in row 0,
// widths, alignments (numbers right, date and time centred, every title but the
// first centred), the light cyan "Codice" column, whole-row selection, no editing,
// the header and one empty data row, and the column comparison the category sorts
// by. The name column's width is a starting value: the window fits it to the table.
void setUpQuoteTable(TAlignGrid& grid, ConnectionId id);

} // namespace listorix
