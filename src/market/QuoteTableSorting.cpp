#include "market/QuoteTableSorting.h"

#include "grid/TAlignGrid.h"

namespace listorix {

QuoteTableSorting::QuoteTableSorting(const std::array<TAlignGrid*, 4>& tables)
{
    for (std::size_t k = 0; k < m_tables.size(); ++k) {
        m_tables[k] = Table{tables[k], {}};
        const ConnectionId id = kQuoteConnections[k];
        tables[k]->OnFixedColClick = [this, id](TAlignGrid&, int col) { titleClick(id, col); };
    }
}

QuoteTableSorting::~QuoteTableSorting()
{
    for (Table& table : m_tables)
        table.grid->OnFixedColClick = nullptr;
}

void QuoteTableSorting::titleClick(ConnectionId id, int col)
{
    if (const auto k = quoteIndexOf(id)) {
        Table& table = m_tables[*k];
        sortByTitleClick(*table.grid, categoryOf(id).columns, table.state, col);
    }
}

SortState QuoteTableSorting::stateOf(ConnectionId id) const
{
    const auto k = quoteIndexOf(id);
    return k ? m_tables[*k].state : SortState{};
}

} // namespace listorix
