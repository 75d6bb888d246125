#pragma once

#include "market/Categories.h"
#include "market/TableOrdering.h"

#include <array>

namespace listorix {

class TAlignGrid;

// The order of the four quote tables and their title clicks. Construction wires
// each table's OnFixedColClick to titleClick and destruction unwires them, so the
// tables must outlive this object. Main thread only.
class QuoteTableSorting final
{
public:
    // The tables of kQuoteConnections, in that order.
    explicit QuoteTableSorting(const std::array<TAlignGrid*, 4>& tables);
    ~QuoteTableSorting();
    QuoteTableSorting(const QuoteTableSorting&) = delete;
    QuoteTableSorting& operator=(const QuoteTableSorting&) = delete;

    // A click on a title of the connection's table sorts that table (see
    // sortByTitleClick), whichever table reported it.
    void titleClick(ConnectionId id, int col);

    // The stored order of a quote connection's table; the initial order for the indices.
    SortState stateOf(ConnectionId id) const;

private:
    struct Table
    {
        TAlignGrid* grid;
        SortState state;
    };

    std::array<Table, 4> m_tables;
};

} // namespace listorix
