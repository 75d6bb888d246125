#include "market/QuoteTableSorting.h"

#include "grid/TAlignGrid.h"

namespace listorix {

QuoteTableSorting::QuoteTableSorting(TAlignGrid& StringGridYahoo, TAlignGrid& StringGridYahooOBB,
                                     TAlignGrid& StringGridYahooDerivati, TAlignGrid& StringGridFondi)
    : m_tables{{{&StringGridYahoo, columnKindsOf(QuoteCategory::Shares), {}},
                {&StringGridYahooOBB, columnKindsOf(QuoteCategory::Bonds), {}},
                {&StringGridYahooDerivati, columnKindsOf(QuoteCategory::Derivatives), {}},
                {&StringGridFondi, columnKindsOf(QuoteCategory::Funds), {}}}}
{
    StringGridYahoo.OnFixedColClick = [this](TAlignGrid& sender, int col) {
        StringGridYahooFixedColClick(sender, col);
    };
    StringGridYahooOBB.OnFixedColClick = [this](TAlignGrid& sender, int col) {
        StringGridYahooOBBFixedColClick(sender, col);
    };
    StringGridYahooDerivati.OnFixedColClick = [this](TAlignGrid& sender, int col) {
        StringGridYahooDerivatiFixedColClick(sender, col);
    };
    StringGridFondi.OnFixedColClick = [this](TAlignGrid& sender, int col) {
        StringGridFondiFixedColClick(sender, col);
    };
}

QuoteTableSorting::~QuoteTableSorting()
{
    for (Table& table : m_tables)
        table.grid->OnFixedColClick = nullptr;
}

// Each handler sorts its own table, whichever table reported the click.
void QuoteTableSorting::StringGridYahooFixedColClick(TAlignGrid&, int col)
{
    click(Yahoo, col);
}

void QuoteTableSorting::StringGridYahooOBBFixedColClick(TAlignGrid&, int col)
{
    click(YahooOBB, col);
}

void QuoteTableSorting::StringGridYahooDerivatiFixedColClick(TAlignGrid&, int col)
{
    click(YahooDerivati, col);
}

void QuoteTableSorting::StringGridFondiFixedColClick(TAlignGrid&, int col)
{
    click(Fondi, col);
}

void QuoteTableSorting::click(Index table, int col)
{
    Table& t = m_tables[table];
    sortByTitleClick(*t.grid, t.kinds, t.state, col);
}

SortState QuoteTableSorting::stateOf(const TAlignGrid& grid) const
{
    for (const Table& table : m_tables)
        if (table.grid == &grid)
            return table.state;
    return {};
}

ColumnKinds QuoteTableSorting::kindsOf(const TAlignGrid& grid) const
{
    for (const Table& table : m_tables)
        if (table.grid == &grid)
            return table.kinds;
    return nullptr;
}

} // namespace listorix
