#include "portfolio/PortfolioCommands.h"

#include "grid/TAlignGrid.h"
#include "portfolio/PortfolioTable.h"

#include <cstddef>
#include <numeric>
#include <utility>
#include <vector>

namespace listorix {

namespace {

int dataRows(const TAlignGrid& grid)
{
    return grid.rowCount() - 1;
}

bool isDataRow(const TAlignGrid& grid, int row)
{
    return row >= 1 && row < grid.rowCount();
}

// Row `to` takes over row `from`'s texts, hints and effective editability.
void copyRowOver(TAlignGrid& grid, int from, int to)
{
    for (int col = 0; col < grid.colCount(); ++col) {
        grid.setCell(col, to, grid.cell(col, from));
        grid.setHintCell(col, to, grid.hintCell(col, from));
        grid.setEditCell(col, to, grid.editCell(col, from));
    }
}

void emptyRow(TAlignGrid& grid, int row)
{
    for (int col = 0; col < grid.colCount(); ++col) {
        grid.setCell(col, row, {});
        grid.setHintCell(col, row, {});
    }
}

// The key of the ordering: type immediately followed by name.
std::string sortKey(const TAlignGrid& grid, int row)
{
    return grid.cell(PortfolioColumn::Tipo, row) + grid.cell(PortfolioColumn::Nome, row);
}

} // namespace

void removePortfolioRow(TAlignGrid& portfolio, int row)
{
    if (!isDataRow(portfolio, row))
        return;
    const auto batch = portfolio.batchChanges();
    if (dataRows(portfolio) > 1) {
        for (int r = row; r < portfolio.rowCount() - 1; ++r)
            copyRowOver(portfolio, r + 1, r);
        portfolio.setRowCount(portfolio.rowCount() - 1);
    } else {
        emptyRow(portfolio, row);
    }
}

bool Cancella1Click(TAlignGrid& portfolio, const ConfirmQuestion& confirm)
{
    const int row = portfolio.currentRow();
    if (!isDataRow(portfolio, row) || !confirm || !confirm(std::string(kConfirmDeleteRow)))
        return false;
    // The question may have let other work run: the row must still be there.
    if (!isDataRow(portfolio, row))
        return false;
    const bool only = dataRows(portfolio) == 1;
    removePortfolioRow(portfolio, row);
    if (only) {
        for (int col = 0; col < portfolio.colCount(); ++col)
            portfolio.setEditCell(col, row, false);
    }
    return true;
}

bool Duplicariga1Click(TAlignGrid& portfolio)
{
    const int row = portfolio.currentRow();
    if (!isDataRow(portfolio, row) || portfolio.cell(PortfolioColumn::Nome, row).empty())
        return false;
    const auto batch = portfolio.batchChanges();
    portfolio.setRowCount(portfolio.rowCount() + 1);
    const int copy = portfolio.rowCount() - 1;
    for (int col = 0; col < portfolio.colCount(); ++col) {
        portfolio.setCell(col, copy, portfolio.cell(col, row));
        portfolio.setEditCell(col, copy, portfolio.editCell(col, row));
    }
    return true;
}

void SwapRows(TAlignGrid& grid, int a, int b)
{
    if (!isDataRow(grid, a) || !isDataRow(grid, b) || a == b)
        return;
    const auto batch = grid.batchChanges();
    for (int col = 0; col < grid.colCount(); ++col) {
        std::string text = grid.cell(col, a);
        grid.setCell(col, a, grid.cell(col, b));
        grid.setCell(col, b, std::move(text));
        std::string hint = grid.hintCell(col, a);
        grid.setHintCell(col, a, grid.hintCell(col, b));
        grid.setHintCell(col, b, std::move(hint));
        const bool editableA = grid.editCell(col, a);
        grid.setEditCell(col, a, grid.editCell(col, b));
        grid.setEditCell(col, b, editableA);
    }
}

// The exchanges are worked out on the keys first and the rows then moved once each:
// the order and every cell's final state are those of the same exchanges made with
// SwapRows, without the quadratic number of cell writes on a long portfolio.
bool SpeedButtonOrdinaClick(TAlignGrid& portfolio)
{
    const int rows = dataRows(portfolio);
    if (rows < 2)
        return false;
    const auto slot = [](int row) { return static_cast<std::size_t>(row - 1); };
    std::vector<std::string> keys;
    keys.reserve(static_cast<std::size_t>(rows));
    for (int row = 1; row <= rows; ++row)
        keys.push_back(sortKey(portfolio, row));
    std::vector<int> source(static_cast<std::size_t>(rows)); // the old row now at each place
    std::iota(source.begin(), source.end(), 1);
    std::vector<bool> touched(static_cast<std::size_t>(rows));
    for (int a = 1; a < rows; ++a) {
        for (int d = a + 1; d <= rows; ++d) {
            if (keys[slot(a)] > keys[slot(d)]) {
                std::swap(keys[slot(a)], keys[slot(d)]);
                std::swap(source[slot(a)], source[slot(d)]);
                touched[slot(a)] = true;
                touched[slot(d)] = true;
            }
        }
    }

    struct Moved
    {
        std::string text;
        std::string hint;
        bool editable;
    };
    const auto batch = portfolio.batchChanges();
    const int cols = portfolio.colCount();
    std::vector<std::vector<Moved>> old(static_cast<std::size_t>(rows));
    for (int row = 1; row <= rows; ++row) {
        if (!touched[slot(row)])
            continue;
        std::vector<Moved>& cells = old[slot(row)];
        for (int col = 0; col < cols; ++col)
            cells.push_back(
                {portfolio.cell(col, row), portfolio.hintCell(col, row), portfolio.editCell(col, row)});
    }
    for (int row = 1; row <= rows; ++row) {
        if (!touched[slot(row)])
            continue;
        std::vector<Moved>& cells = old[slot(source[slot(row)])];
        for (int col = 0; col < cols; ++col) {
            Moved& cell = cells[static_cast<std::size_t>(col)];
            portfolio.setCell(col, row, std::move(cell.text));
            portfolio.setHintCell(col, row, std::move(cell.hint));
            portfolio.setEditCell(col, row, cell.editable);
        }
    }
    return true;
}

bool SpeedButtonSpostaSottoClick(TAlignGrid& portfolio)
{
    const int row = portfolio.currentRow();
    if (dataRows(portfolio) < 2 || !isDataRow(portfolio, row) || row == portfolio.rowCount() - 1)
        return false;
    SwapRows(portfolio, row, row + 1);
    portfolio.setCurrentRow(row + 1);
    return true;
}

bool SpeedButtonSpostaSopraClick(TAlignGrid& portfolio)
{
    const int row = portfolio.currentRow();
    if (dataRows(portfolio) < 2 || !isDataRow(portfolio, row) || row <= 1)
        return false;
    SwapRows(portfolio, row, row - 1);
    portfolio.setCurrentRow(row - 1);
    return true;
}

int addSecurityRow(TAlignGrid& portfolio, std::string code, std::string name, std::string_view typeCode)
{
    const int row = rowForNewEntry(portfolio);
    portfolio.setCell(PortfolioColumn::Codice, row, std::move(code));
    portfolio.setCell(PortfolioColumn::Nome, row, std::move(name));
    portfolio.setCell(PortfolioColumn::Tipo, row, std::string(typeCode));
    for (const int col : {PortfolioColumn::Quote, PortfolioColumn::Acquisto, PortfolioColumn::DataAcq})
        portfolio.setEditCell(col, row, true);
    return row;
}

} // namespace listorix
