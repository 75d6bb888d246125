#pragma once

#include "grid/GridProperties.h"

#include <span>
#include <string_view>

namespace listorix {

// How the cells of a column compare when a table is ordered by it.
enum class CellKind
{
    Text,   // by character code
    Number, // display numbers, see compareNumberCells
    Date    // DD/MM, see compareDateCells
};

// One column of a quote table: its title in row 0, its cells' alignment, its
// starting width and how its cells compare.
struct ColumnDesign
{
    std::string_view title;
    Alignment alignment;
    int width;
    CellKind kind;
};

// The columns of one table, by column number.
using ColumnKinds = std::span<const ColumnDesign>;

// The kind of column `col`; text outside the table.
constexpr CellKind kindOf(ColumnKinds columns, int col)
{
    return col >= 0 && static_cast<std::size_t>(col) < columns.size()
               ? columns[static_cast<std::size_t>(col)].kind
               : CellKind::Text;
}

// The columns every quote table begins with; the shares, bonds and derivatives
// tables go on to "volumi" (10), the funds table ends here.
namespace QuoteColumn {
inline constexpr int Codice = 0; // ticker symbol
inline constexpr int Nome = 1;   // name
inline constexpr int Flash = 2;  // last price in display form (funds: "Chiusura")
inline constexpr int Data = 3;   // date of the last price, DD/MM
} // namespace QuoteColumn

} // namespace listorix
