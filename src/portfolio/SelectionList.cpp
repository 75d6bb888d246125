#include "portfolio/SelectionList.h"

#include "base/CaseFold.h"
#include "grid/TAlignGrid.h"
#include "market/QuoteTables.h"
#include "portfolio/CodeIndex.h"
#include "portfolio/Portfolio.h"
#include "portfolio/PortfolioCommands.h"
#include "portfolio/PortfolioTable.h"

#include <optional>

namespace listorix {

namespace {

// The category list holds the quote connections in their order.
std::optional<ConnectionId> categoryOfItem(int index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= kQuoteConnections.size())
        return std::nullopt;
    return kQuoteConnections[static_cast<std::size_t>(index)];
}

// The first data row of the portfolio holding the code, letter case ignored; 0 for none.
int portfolioRowOf(const TAlignGrid& portfolio, std::string_view code)
{
    for (int row = 1; row < portfolio.rowCount(); ++row) {
        if (textEqualsIgnoringCase(portfolio.cell(PortfolioColumn::Codice, row), code))
            return row;
    }
    return 0;
}

} // namespace

SelectionList::SelectionList(Portfolio& portfolio) : m_portfolio(portfolio) {}

void SelectionList::ShowPortfolioDialog(const std::function<void()>& runModal)
{
    setComboIndex(0);
    ComboBoxTipoChange();
    if (runModal)
        runModal();
    m_portfolio.RevaluePortfolio();
}

void SelectionList::setComboIndex(int index)
{
    m_comboIndex = categoryOfItem(index) ? index : -1;
}

void SelectionList::ComboBoxTipoChange()
{
    m_items.clear();
    m_currentItem = -1;
    const std::optional<ConnectionId> category = categoryOfItem(m_comboIndex);
    if (!category)
        return;
    const TAlignGrid& table = m_portfolio.categories().table(*category);
    // The portfolio's codes indexed once: a long list against a long portfolio.
    CodeIndex held;
    const TAlignGrid& portfolio = m_portfolio.grid();
    for (int row = 1; row < portfolio.rowCount(); ++row)
        held.insert(portfolio.cell(PortfolioColumn::Codice, row));
    for (int row = 1; row < table.rowCount(); ++row) {
        const std::string& code = table.cell(QuoteColumn::Codice, row);
        if (code.empty())
            continue;
        std::string text = code;
        text += kItemSeparator;
        text += table.cell(QuoteColumn::Nome, row);
        m_items.push_back({std::move(text), held.find(code) >= 0});
    }
}

void SelectionList::setCurrentItem(int index)
{
    m_currentItem = validItem(index) ? index : -1;
}

void SelectionList::setChecked(int index, bool checked)
{
    if (validItem(index))
        m_items[static_cast<std::size_t>(index)].checked = checked;
}

void SelectionList::toggle(int index)
{
    if (!validItem(index))
        return;
    setCurrentItem(index);
    setChecked(index, !m_items[static_cast<std::size_t>(index)].checked);
    CheckListBoxNomiClickCheck();
}

void SelectionList::CheckListBoxNomiClickCheck()
{
    const std::optional<ConnectionId> category = categoryOfItem(m_comboIndex);
    if (!validItem(m_currentItem) || !category)
        return;
    const Item& item = m_items[static_cast<std::size_t>(m_currentItem)];
    const auto separator = item.text.find(kItemSeparator);
    std::string code = item.text.substr(0, separator);
    std::string name =
        separator == std::string::npos ? std::string() : item.text.substr(separator + kItemSeparator.size());

    TAlignGrid& portfolio = m_portfolio.grid();
    if (item.checked) {
        addSecurityRow(portfolio, std::move(code), std::move(name), categoryOf(*category).typeCode);
        return;
    }
    // Every row of the security goes, the last data row by being emptied; an emptied
    // row has no code, so the loop ends even for an empty one.
    while (const int row = portfolioRowOf(portfolio, code)) {
        const bool last = portfolio.rowCount() == 2;
        removePortfolioRow(portfolio, row);
        if (last)
            break;
    }
}

} // namespace listorix
