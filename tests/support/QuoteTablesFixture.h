#pragma once

#include "base/LineList.h"
#include "base/TextSink.h"
#include "fetch/TConnessione.h"
#include "grid/TAlignGrid.h"
#include "market/QuoteTableSorting.h"
#include "market/QuoteTables.h"
#include "market/SecurityAnswer.h"

#include <array>
#include <string>
#include <vector>

namespace listorix::test {

class RecordingSink final : public TextSink
{
public:
    void setText(const std::string& text) override { texts.push_back(text); }

    std::vector<std::string> texts;
};

// The four quote tables with their design, their sorting and the security parse
// wired to one connection per table, as the main window holds them.
struct QuoteTablesFixture
{
    TAlignGrid StringGridYahoo;
    TAlignGrid StringGridYahooOBB;
    TAlignGrid StringGridYahooDerivati;
    TAlignGrid StringGridFondi;
    QuoteTableSorting sorting{StringGridYahoo, StringGridYahooOBB, StringGridYahooDerivati, StringGridFondi};
    RecordingSink LabelStatus;
    SecurityAnswer parser{LabelStatus, sorting};
    RecordingSink countdown;
    TConnessione ConnAzioni{{}, 300, &countdown};
    TConnessione ConnObbligazioni{{}, 300, nullptr};
    TConnessione ConnDerivati{{}, 300, nullptr};
    TConnessione ConnFondi{{}, 10800, nullptr};

    QuoteTablesFixture()
    {
        setUpQuoteTable(StringGridYahoo, QuoteCategory::Shares);
        setUpQuoteTable(StringGridYahooOBB, QuoteCategory::Bonds);
        setUpQuoteTable(StringGridYahooDerivati, QuoteCategory::Derivatives);
        setUpQuoteTable(StringGridFondi, QuoteCategory::Funds);
        wire(ConnAzioni, StringGridYahoo);
        wire(ConnObbligazioni, StringGridYahooOBB);
        wire(ConnDerivati, StringGridYahooDerivati);
        wire(ConnFondi, StringGridFondi);
    }

    void wire(TConnessione& connection, TAlignGrid& grid)
    {
        connection.Grid = &grid;
        connection.OnAnswer = parser.callback();
    }

    // One table with its connection and its title-click handler.
    struct Table
    {
        TAlignGrid& grid;
        TConnessione& connection;
        void (QuoteTableSorting::*click)(TAlignGrid&, int);
    };
    // The four, in the order shares, bonds, derivatives, funds.
    std::array<Table, 4> tables()
    {
        return {{
            {StringGridYahoo, ConnAzioni, &QuoteTableSorting::StringGridYahooFixedColClick},
            {StringGridYahooOBB, ConnObbligazioni, &QuoteTableSorting::StringGridYahooOBBFixedColClick},
            {StringGridYahooDerivati, ConnDerivati, &QuoteTableSorting::StringGridYahooDerivatiFixedColClick},
            {StringGridFondi, ConnFondi, &QuoteTableSorting::StringGridFondiFixedColClick},
        }};
    }

    // Delivers an answer the way a finished fetch does.
    static bool answer(TConnessione& connection, const LineList& lines)
    {
        return connection.OnAnswer(connection, lines, AnswerOrigin::Live);
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
