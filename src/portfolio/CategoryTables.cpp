#include "portfolio/CategoryTables.h"

namespace listorix {

TAlignGrid& CategoryTables::table(ConnectionId id) const
{
    return *tables[quoteIndexOf(id).value_or(0)];
}

std::optional<ConnectionId> CategoryTables::categoryOf(const TAlignGrid& grid) const
{
    for (std::size_t k = 0; k < tables.size(); ++k) {
        if (&grid == tables[k])
            return kQuoteConnections[k];
    }
    return std::nullopt;
}

} // namespace listorix
