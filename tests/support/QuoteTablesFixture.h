#pragma once

#include "base/LineList.h"
#include "grid/TAlignGrid.h"
#include "market/QuoteTableSorting.h"
#include "market/QuoteTables.h"
#include "market/SecurityAnswer.h"

#include <array>
#include <string>
#include <vector>

namespace listorix::test {

// The four quote tables with their design, their sorting and the security
// answer bound to each, as the main window holds them.
struct QuoteTablesFixture
{
    TAlignGrid StringGridYahoo;
    TAlignGrid StringGridYahooOBB;
    TAlignGrid StringGridYahooDerivati;
    TAlignGrid StringGridFondi;
    QuoteTableSorting sorting{
        {&StringGridYahoo, &StringGridYahooOBB, &StringGridYahooDerivati, &StringGridFondi}};
    // The sinks of the four connections.
    SecurityAnswer Azioni{ConnectionId::Azioni, StringGridYahoo, sorting};
    SecurityAnswer Obbligazioni{ConnectionId::Obbligazioni, StringGridYahooOBB, sorting};
    SecurityAnswer Derivati{ConnectionId::Derivati, StringGridYahooDerivati, sorting};
    SecurityAnswer Fondi{ConnectionId::Fondi, StringGridFondi, sorting};

    QuoteTablesFixture()
    {
        setUpQuoteTable(StringGridYahoo, ConnectionId::Azioni);
        setUpQuoteTable(StringGridYahooOBB, ConnectionId::Obbligazioni);
        setUpQuoteTable(StringGridYahooDerivati, ConnectionId::Derivati);
        setUpQuoteTable(StringGridFondi, ConnectionId::Fondi);
    }

    // One table with its connection and its sink.
    struct Table
    {
        TAlignGrid& grid;
        ConnectionId id;
        SecurityAnswer& sink;
    };
    // The four, in the order shares, bonds, derivatives, funds.
    std::array<Table, 4> tables()
    {
        return {{
            {StringGridYahoo, ConnectionId::Azioni, Azioni},
            {StringGridYahooOBB, ConnectionId::Obbligazioni, Obbligazioni},
            {StringGridYahooDerivati, ConnectionId::Derivati, Derivati},
            {StringGridFondi, ConnectionId::Fondi, Fondi},
        }};
    }

    // Delivers an answer the way a finished fetch does; true when it was read.
    static bool answer(SecurityAnswer& sink, const LineList& lines)
    {
        return sink.take(lines, AnswerOrigin::Live) == AnswerVerdict::Read;
    }
};

// The data rows of one column, top to bottom.
inline std::vector<std::string> columnTexts(const TAlignGrid& grid, int col)
{
    std::vector<std::string> texts;
    for (int row = 1; row < grid.rowCount(); ++row)
        texts.push_back(grid.cell(col, row));
    return texts;
}

// One data row, every column.
inline std::vector<std::string> rowTexts(const TAlignGrid& grid, int row)
{
    std::vector<std::string> texts;
    for (int col = 0; col < grid.colCount(); ++col)
        texts.push_back(grid.cell(col, row));
    return texts;
}

} // namespace listorix::test
