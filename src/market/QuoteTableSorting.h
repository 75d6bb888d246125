#pragma once

#include "market/TableOrdering.h"

#include <array>

namespace listorix {

class TAlignGrid;

// The sort state of the four quote tables and their title clicks. Construction
// wires each table's OnFixedColClick to its handler and destruction unwires them,
// so the tables must outlive this object. Main thread only.
class QuoteTableSorting final
{
public:
    QuoteTableSorting(TAlignGrid& StringGridYahoo, TAlignGrid& StringGridYahooOBB,
                      TAlignGrid& StringGridYahooDerivati, TAlignGrid& StringGridFondi);
    ~QuoteTableSorting();
    QuoteTableSorting(const QuoteTableSorting&) = delete;
    QuoteTableSorting& operator=(const QuoteTableSorting&) = delete;

    void StringGridYahooFixedColClick(TAlignGrid& Sender, int col);
    void StringGridYahooOBBFixedColClick(TAlignGrid& Sender, int col);
    void StringGridYahooDerivatiFixedColClick(TAlignGrid& Sender, int col);
    void StringGridFondiFixedColClick(TAlignGrid& Sender, int col);

    // The stored order of one of the four tables; the initial order for any other.
    SortState stateOf(const TAlignGrid& grid) const;
    // The column kinds of one of the four tables; none for any other.
    ColumnKinds kindsOf(const TAlignGrid& grid) const;

private:
    struct Table
    {
        TAlignGrid* grid;
        ColumnKinds kinds;
        SortState state;
    };
    enum Index
    {
        Yahoo,
        YahooOBB,
        YahooDerivati,
        Fondi
    };

    void click(Index table, int col);

    std::array<Table, 4> m_tables;
};

} // namespace listorix
