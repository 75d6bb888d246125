#pragma once

#include "grid/TRelation.h"
#include "market/QuoteColumns.h"

#include <string_view>

namespace listorix {

class TAlignGrid;

// The order a quote table is kept in: the column and the direction. Every table
// starts ordered by its first column ("Codice"), ascending.
struct SortState
{
    int SortColumn = 0;
    bool SortAscending = true;
};

// Colours the titles (the sort column blue when ascending, red when descending,
// every other title black) and sorts the data rows by the column, comparing its
// cells by the column's kind in `kinds` (the columns of its row in the category
// table); with no kinds (empty), through the table's own comparison event, pair
// by pair. A column outside the table sorts by column 1
// instead. The table's observer hears once.
void ApplySort(TAlignGrid& grid, ColumnKinds kinds, int column, bool ascending);

// A click on a title: a second click on the sort column reverses the direction,
// a click on another column sorts by it ascending. Updates `state`, then ApplySort.
void sortByTitleClick(TAlignGrid& grid, ColumnKinds kinds, SortState& state, int column);

// The comparison events of the shares and the funds tables, by the kinds of their
// columns in the category table. The bonds and derivatives tables keep the
// table's built-in text comparison.
TRelation StringGridYahooCompareCol(const TAlignGrid& Sender, int colrow, int compare1, int compare2);
TRelation StringGridFondiCompareCol(const TAlignGrid& Sender, int colrow, int compare1, int compare2);

// The rules the comparisons are made of.
// Display numbers (decimal comma); a text that does not convert counts as -1.
TRelation compareNumberCells(std::string_view first, std::string_view second);
// DD/MM dates by month, then day. A cell too short to hold DD/MM (the 0/0 of a
// missing date) comes before every real date; such cells compare as texts among
// themselves.
TRelation compareDateCells(std::string_view first, std::string_view second);

} // namespace listorix
