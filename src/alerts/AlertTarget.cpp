#include "alerts/AlertTarget.h"

#include "alerts/PriceAlert.h"
#include "base/CaseFold.h"
#include "base/Trim.h"
#include "grid/TAlignGrid.h"
#include "market/QuoteColumns.h"
#include "portfolio/CategoryTables.h"
#include "portfolio/PortfolioTable.h"

namespace listorix {

namespace {

AlertTarget quoteRowTarget(ConnectionId category, const TAlignGrid& table, int row)
{
    return AlertTarget{category, std::string(trimControls(table.cell(QuoteColumn::Codice, row))),
                       table.cell(QuoteColumn::Nome, row),
                       std::string(trimControls(table.cell(QuoteColumn::Flash, row)))};
}

} // namespace

int rowOfCode(const TAlignGrid& table, std::string_view code)
{
    for (int row = 1; row < table.rowCount(); ++row) {
        if (textEqualsIgnoringCase(trimControls(table.cell(QuoteColumn::Codice, row)), code))
            return row;
    }
    return -1;
}

std::optional<AlertTarget> alertTargetOfRow(const CategoryTables& categories, const TAlignGrid& grid, int row,
                                            std::string& problem)
{
    problem = kNoSecurityRowText;
    if (row < 1 || row >= grid.rowCount())
        return std::nullopt;
    if (const std::optional<ConnectionId> category = categories.categoryOf(grid)) {
        if (trimControls(grid.cell(QuoteColumn::Codice, row)).empty())
            return std::nullopt;
        problem.clear();
        return quoteRowTarget(*category, grid, row);
    }

    const std::string& type = grid.cell(PortfolioColumn::Tipo, row);
    if (type == kTypePersonal) {
        problem = kPersonalRowText;
        return std::nullopt;
    }
    const std::optional<ConnectionId> category = connectionOfTypeCode(type);
    const std::string code(trimControls(grid.cell(PortfolioColumn::Codice, row)));
    if (!category || code.empty())
        return std::nullopt;
    problem.clear();
    const TAlignGrid& table = categories.table(*category);
    if (const int source = rowOfCode(table, code); source >= 1)
        return quoteRowTarget(*category, table, source);
    return AlertTarget{*category, code, grid.cell(PortfolioColumn::Nome, row),
                       std::string(trimControls(grid.cell(PortfolioColumn::Quotazione, row)))};
}

AlertTarget alertTargetOf(const CategoryTables& categories, const PriceAlert& alert)
{
    AlertTarget target{alert.category, alert.code, alert.name, {}};
    const TAlignGrid& table = categories.table(alert.category);
    if (const int row = rowOfCode(table, alert.code); row >= 1)
        target.price = trimControls(table.cell(QuoteColumn::Flash, row));
    return target;
}

} // namespace listorix
