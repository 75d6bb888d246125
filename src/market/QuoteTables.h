#pragma once

#include "market/QuoteCategory.h"

namespace listorix {

class TAlignGrid;

// The columns every quote table begins with; the shares, bonds and derivatives
// tables go on to "volumi" (10), the funds table ends here.
namespace QuoteColumn {
inline constexpr int Codice = 0; // ticker symbol
inline constexpr int Nome = 1;   // name
inline constexpr int Flash = 2;  // last price in display form (funds: "Chiusura")
inline constexpr int Data = 3;   // date of the last price, DD/MM
} // namespace QuoteColumn

// Gives a new table the design of its category: columns, titles in row 0, widths,
// alignments (numbers right, date and time centred, every title but the first
// centred), the light cyan "Codice" column, whole-row selection, no editing, the
// header and one empty data row, and the column comparison the category sorts by.
// The name column's width is a starting value: the window fits it to the table.
void setUpQuoteTable(TAlignGrid& grid, QuoteCategory category);

} // namespace listorix
