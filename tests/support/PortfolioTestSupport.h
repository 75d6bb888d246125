#pragma once

#include "base/TextSink.h"
#include "grid/TAlignGrid.h"
#include "portfolio/CategoryTables.h"
#include "portfolio/Portfolio.h"
#include "portfolio/PortfolioTable.h"

#include <initializer_list>
#include <string>
#include <vector>

namespace listorix::test {

class CaptionSink final : public TextSink
{
public:
    void setText(const std::string& text) override { m_text = text; }
    const std::string& text() const { return m_text; }

private:
    std::string m_text;
};

// One security of a quote table: code, name, price in display form, date.
struct Listing
{
    std::string code;
    std::string name;
    std::string price;
    std::string date;
};

// A quote table as the parser leaves it: a header row, then one row per security.
inline void fillCategoryTable(TAlignGrid& table, const std::vector<Listing>& quotes)
{
    table.setRowCount(static_cast<int>(quotes.size()) + 1);
    const char* titles[] = {"Codice", "Nome", "Flash", "data"};
    for (int col = 0; col < 4; ++col)
        table.setCell(col, 0, titles[col]);
    for (std::size_t i = 0; i < quotes.size(); ++i) {
        const int row = static_cast<int>(i) + 1;
        table.setCell(0, row, quotes[i].code);
        table.setCell(1, row, quotes[i].name);
        table.setCell(2, row, quotes[i].price);
        table.setCell(3, row, quotes[i].date);
    }
}

// A portfolio row in the columns the user and the add commands fill.
struct Holding
{
    std::string code;
    std::string name;
    std::string type;
    std::string quantity;
    std::string price = {}; // "Quotazione"
    std::string purchase = {};
    std::string date = {}; // "Data"
};

// The five tables of the main window with the portfolio's totals captions.
struct PortfolioFixture
{
    TAlignGrid shares{11, 2};
    TAlignGrid bonds{11, 2};
    TAlignGrid derivatives{11, 2};
    TAlignGrid funds{4, 2};
    TAlignGrid table{kPortfolioColumns, 2};
    CaptionSink totalCaption;
    CaptionSink gainCaption;
    Portfolio portfolio{table, CategoryTables{{&shares, &bonds, &derivatives, &funds}}, totalCaption,
                        gainCaption};

    PortfolioFixture()
    {
        setUpPortfolioTable(table);
        for (TAlignGrid* category : {&shares, &bonds, &derivatives, &funds})
            fillCategoryTable(*category, {});
    }

    // Replaces the data rows by the holdings, as loading the saved rows does.
    void hold(const std::vector<Holding>& holdings)
    {
        table.setRowCount(static_cast<int>(holdings.size()) + 1);
        for (std::size_t i = 0; i < holdings.size(); ++i) {
            const int row = static_cast<int>(i) + 1;
            const Holding& h = holdings[i];
            table.setCell(PortfolioColumn::Codice, row, h.code);
            table.setCell(PortfolioColumn::Nome, row, h.name);
            table.setCell(PortfolioColumn::Tipo, row, h.type);
            table.setCell(PortfolioColumn::Quote, row, h.quantity);
            table.setCell(PortfolioColumn::Data, row, h.date);
            table.setCell(PortfolioColumn::Quotazione, row, h.price);
            table.setCell(PortfolioColumn::Acquisto, row, h.purchase);
        }
    }

    std::string cell(int col, int row) const { return table.cell(col, row); }
    std::vector<std::string> column(int col) const
    {
        std::vector<std::string> texts;
        for (int row = 1; row < table.rowCount(); ++row)
            texts.push_back(table.cell(col, row));
        return texts;
    }
};

// Blanks in front of a text: the money cells are right-aligned to 15 characters.
inline std::string padded(const std::string& text, std::size_t width = 15)
{
    return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

} // namespace listorix::test
