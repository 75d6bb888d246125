#pragma once

#include "market/Categories.h"

#include <array>
#include <optional>

namespace listorix {

class TAlignGrid;

// The four quote tables the portfolio reads: code, name, price in display form
// and price date (DD/MM first) in the columns QuoteColumn names; row 0 is their
// header. A portfolio row of type "TA", "TO", "TD" or "F" refers to the table of
// the quote connection with that type code (Categories.h).
struct CategoryTables
{
    // The tables of kQuoteConnections, in that order.
    std::array<TAlignGrid*, 4> tables;

    // The table of a quote connection (not the indices).
    TAlignGrid& table(ConnectionId id) const;
    // The quote connection whose table `grid` is; none for any other table.
    std::optional<ConnectionId> categoryOf(const TAlignGrid& grid) const;
};

} // namespace listorix
