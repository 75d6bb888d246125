#include "portfolio/Portfolio.h"

#include "base/CaseFold.h"
#include "base/Money.h"
#include "base/NumberFormat.h"
#include "base/TextSink.h"
#include "base/Trim.h"
#include "grid/TAlignGrid.h"
#include "portfolio/CodeIndex.h"
#include "portfolio/PortfolioCommands.h"
#include "portfolio/PortfolioTable.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace listorix {

namespace {

using namespace PortfolioColumn;

// Money cells: at least 15 characters, four decimals, thousands grouped.
constexpr int kMoneyWidth = 15;
constexpr int kMoneyDecimals = 4;

// A cell as a number, read as display text with its thousands points removed; 0 when
// it does not convert.
double displayNumber(std::string_view text)
{
    return parseNumber(StripDots(text)).value_or(0.0);
}

// A number typed with a point: with a comma as well the point groups thousands and
// goes; alone it is the decimal point. Only the first point counts.
void fixNumberNotation(std::string& text)
{
    const auto point = text.find('.');
    if (point == std::string::npos)
        return;
    if (text.find(',') != std::string::npos)
        text.erase(point, 1);
    else
        text[point] = kDecimalSeparator;
}

std::string totalCaption(std::string_view prefix, double euro)
{
    // The lire amount is formed in extended precision from the euro sum.
    return std::string(prefix) + formatNumber(euro, kMoneyDecimals) + " = L." +
           formatNumber(static_cast<long double>(euro) * kLirePerEuro, 0);
}

} // namespace

Portfolio::Portfolio(TAlignGrid& StringGridPortafoglio, const CategoryTables& categories,
                     TextSink& LabelPortafoglioTot, TextSink& LabelPortafoglioTotGuadagno)
    : m_grid(StringGridPortafoglio), m_categories(categories), m_totalCaption(LabelPortafoglioTot),
      m_gainCaption(LabelPortafoglioTotGuadagno)
{
}

void Portfolio::connectTableEvents()
{
    m_grid.OnAfterEdit = [this](TAlignGrid&, int col, int row) { StringGridPortafoglioAfterEdit(col, row); };
    m_grid.OnSelectCell = [this](TAlignGrid& sender, int col, int row, bool& canSelect) {
        StringGridPortafoglioSelectCell(&sender, col, row, canSelect);
    };
}

// --- valuation --------------------------------------------------------------------

void Portfolio::colourBySign(int col, int row, double value)
{
    const TColor colour = row == m_grid.currentRow() ? clWhite : value < 0 ? clRed : m_grid.font().color;
    m_grid.setFontColorCell(col, row, colour);
}

void Portfolio::RevaluePortfolio()
{
    // Every row may change: the table's view hears once, at the end.
    const auto batch = m_grid.batchChanges();
    double totalValue = 0;
    double totalGain = 0;

    // Each category table is read once: the codes its rows need are gathered first
    // and then found in one pass down the table.
    const int rows = m_grid.rowCount();
    std::array<CodeIndex, 4> wanted;
    std::vector<int> codeIds(static_cast<std::size_t>(std::max(rows, 0)), -1);
    for (int row = 1; row < rows; ++row) {
        if (const std::optional<ConnectionId> category = connectionOfTypeCode(m_grid.cell(Tipo, row)))
            codeIds[static_cast<std::size_t>(row)] =
                wanted[*quoteIndexOf(*category)].insert(m_grid.cell(Codice, row));
    }
    std::array<std::vector<int>, 4> found;
    for (std::size_t k = 0; k < wanted.size(); ++k) {
        if (wanted[k].size() > 0)
            found[k] = firstRowsOf(m_categories.table(kQuoteConnections[k]), wanted[k]);
    }

    for (int row = 1; row < rows; ++row) {
        const std::string& type = m_grid.cell(Tipo, row);
        const std::optional<ConnectionId> category = connectionOfTypeCode(type);
        if (!category && type != kTypePersonal)
            continue;

        if (category) {
            const TAlignGrid& table = m_categories.table(*category);
            // A match in the header row is no security: the row keeps its price.
            const int source = found[*quoteIndexOf(*category)]
                                    [static_cast<std::size_t>(codeIds[static_cast<std::size_t>(row)])];
            if (source >= 1) {
                const std::string& price = table.cell(QuoteColumn::Flash, source);
                if (!trimControls(price).empty()) {
                    m_grid.setCell(Quotazione, row, price);
                    m_grid.setCell(Data, row, table.cell(QuoteColumn::Data, source).substr(0, 5));
                }
            }
        }
        m_grid.setHintCell(Quotazione, row, FormatLire(m_grid.cell(Quotazione, row)));

        const double quantity = parseNumber(m_grid.cell(Quote, row)).value_or(0.0);
        const double price = displayNumber(m_grid.cell(Quotazione, row));
        // A purchase price below zero is no price: the whole value counts as gain.
        const double purchase = std::max(displayNumber(m_grid.cell(Acquisto, row)), 0.0);

        const double value = price * quantity;
        std::string text = formatNumber(value, kMoneyDecimals, kMoneyWidth);
        m_grid.setHintCell(Totale, row, FormatLire(text));
        m_grid.setCell(Totale, row, std::move(text));
        colourBySign(Totale, row, value);

        const double gain = (price - purchase) * quantity;
        text = formatNumber(gain, kMoneyDecimals, kMoneyWidth);
        m_grid.setHintCell(Guadagno, row, FormatLire(text));
        m_grid.setCell(Guadagno, row, std::move(text));
        colourBySign(Guadagno, row, gain);

        if (purchase > 0) {
            text = formatNumber(purchase, kMoneyDecimals, kMoneyWidth);
            m_grid.setHintCell(Acquisto, row, FormatLire(text));
            m_grid.setCell(Acquisto, row, std::move(text));
            const double change = (price - purchase) / purchase * 100;
            m_grid.setCell(Var, row, formatNumber(change, 2, 2));
            colourBySign(Var, row, change);
        } else {
            // The text stays; its hint follows it rather than an earlier price.
            m_grid.setHintCell(Acquisto, row, FormatLire(m_grid.cell(Acquisto, row)));
            m_grid.setCell(Var, row, {});
        }

        totalValue += value;
        totalGain += gain;
    }

    m_totalCaption.setText(totalCaption(kTotalCaptionPrefix, totalValue));
    m_gainCaption.setText(totalCaption(kGainCaptionPrefix, totalGain));
}

// --- editing ----------------------------------------------------------------------

void Portfolio::StringGridPortafoglioAfterEdit(int ACol, int ARow)
{
    if (ACol < 0 || ACol >= m_grid.colCount() || ARow < 1 || ARow >= m_grid.rowCount())
        return;
    if (m_grid.cell(Codice, ARow).empty() && m_grid.cell(Tipo, ARow) != kTypePersonal) {
        // The free row, or an emptied one, holds nothing to edit.
        m_grid.setCell(ACol, ARow, {});
    } else {
        std::string text = m_grid.cell(ACol, ARow);
        const std::string& title = m_grid.cell(ACol, 0);
        if (textEqualsIgnoringCase(title, "QUOTE") || textEqualsIgnoringCase(title, "ACQUISTO") ||
            textEqualsIgnoringCase(title, "QUOTAZIONE"))
            fixNumberNotation(text);
        const bool keepsAnyText = ACol == Codice || ACol == Nome || ACol == Data || ACol == DataAcq;
        if (!keepsAnyText && !parseNumber(StripDots(text)))
            text = "0";
        m_grid.setCell(ACol, ARow, std::move(text));
    }
    RevaluePortfolio();
}

// --- row highlight ----------------------------------------------------------------

void Portfolio::restoreTextColours(int row)
{
    const TColor normal = m_grid.font().color;
    for (int col = 0; col < m_grid.colCount(); ++col) {
        TColor colour = normal;
        if (col >= Data) {
            const std::optional<double> value = parseNumber(StripDots(m_grid.cell(col, row)));
            if (value && *value < 0)
                colour = clRed;
        }
        m_grid.setFontColorCell(col, row, colour);
    }
}

void Portfolio::StringGridPortafoglioSelectCell(const TAlignGrid* Sender, int /*ACol*/, int ARow,
                                                bool& CanSelect)
{
    CanSelect = true;
    const int oldRow = m_grid.currentRow();
    if (Sender == nullptr)
        ARow = oldRow;
    const auto isDataRow = [this](int row) { return row >= 1 && row < m_grid.rowCount(); };
    if (!isDataRow(ARow))
        return;
    const auto batch = m_grid.batchChanges();

    if (m_savedColumnColours.data == -1)
        m_savedColumnColours.data = m_grid.colorCell(Data, ARow);
    if (m_savedColumnColours.totale == -1)
        m_savedColumnColours.totale = m_grid.colorCell(Totale, ARow);
    if (m_savedColumnColours.guadagno == -1)
        m_savedColumnColours.guadagno = m_grid.colorCell(Guadagno, ARow);

    const bool leaving = ARow != oldRow && isDataRow(oldRow);
    if (leaving) {
        m_grid.setColorRow(oldRow, m_grid.color());
        m_grid.setColorCell(Data, oldRow, m_savedColumnColours.data);
        m_grid.setColorCell(Quotazione, oldRow, m_savedColumnColours.data);
        m_grid.setColorCell(Totale, oldRow, m_savedColumnColours.totale);
        m_grid.setColorCell(Guadagno, oldRow, m_savedColumnColours.guadagno);
    }

    // The coloured columns win over a row colour, so their cells get it themselves.
    m_grid.setColorRow(ARow, m_activeCaptionColour);
    for (const int col : {Data, Quotazione, Totale, Guadagno})
        m_grid.setColorCell(col, ARow, m_activeCaptionColour);
    for (int col = 0; col < m_grid.colCount(); ++col)
        m_grid.setFontColorCell(col, ARow, clWhite);

    if (leaving)
        restoreTextColours(oldRow);
}

// --- personal rows and adding -----------------------------------------------------

void Portfolio::SpeedButtonTitoloPersonaleClick()
{
    const int row = rowForNewEntry(m_grid);
    m_grid.setCell(Codice, row, {});
    m_grid.setCell(Nome, row, std::string(kPersonalRowName));
    m_grid.setCell(Tipo, row, std::string(kTypePersonal));
    m_grid.setCell(Quote, row, "1");
    for (int col = Data; col < kPortfolioColumns; ++col)
        m_grid.setCell(col, row, {});
    for (const int col : {Nome, Quote, Data, Quotazione, Acquisto, DataAcq})
        m_grid.setEditCell(col, row, true);
}

void Portfolio::MarkPersonalRowsEditable()
{
    for (int row = 1; row < m_grid.rowCount(); ++row) {
        if (m_grid.cell(Tipo, row) != kTypePersonal)
            continue;
        for (const int col : {Nome, Data, Quotazione})
            m_grid.setEditCell(col, row, true);
    }
}

bool Portfolio::Aggiungialportafoglio1Click(const std::function<void()>& showPortfolioPage)
{
    for (const ConnectionId category : kQuoteConnections) {
        const TAlignGrid& source = m_categories.table(category);
        if (!source.focused())
            continue;
        const int sourceRow = source.currentRow();
        if (sourceRow < 1 || sourceRow >= source.rowCount() ||
            source.cell(QuoteColumn::Codice, sourceRow).empty())
            return false;
        const int row =
            addSecurityRow(m_grid, source.cell(QuoteColumn::Codice, sourceRow),
                           source.cell(QuoteColumn::Nome, sourceRow), categoryOf(category).typeCode);
        RevaluePortfolio();
        if (showPortfolioPage)
            showPortfolioPage();
        m_grid.setCurrentRow(row);
        return true;
    }
    return false;
}

} // namespace listorix
