#include "market/TableOrdering.h"

#include "base/NumberFormat.h"
#include "grid/RowOrder.h"
#include "grid/TAlignGrid.h"
#include "market/Categories.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace listorix {

namespace {

// A DD/MM cell needs five characters to give its key.
constexpr std::size_t kDateLength = 5;

// Numbers that do not convert (empty cells, not-available markers) sort as this.
constexpr double kNoNumber = -1.0;

template <typename T>
TRelation relationOf(const T& first, const T& second)
{
    return first > second ? TRelation::Greater : first < second ? TRelation::Less : TRelation::Equal;
}

double numberKey(std::string_view cell)
{
    return parseNumber(cell).value_or(kNoNumber);
}

TRelation compareCells(CellKind kind, const TAlignGrid& grid, int col, int row1, int row2)
{
    try {
        const std::string_view first = grid.cell(col, row1);
        const std::string_view second = grid.cell(col, row2);
        switch (kind) {
        case CellKind::Number:
            return compareNumberCells(first, second);
        case CellKind::Date:
            return compareDateCells(first, second);
        case CellKind::Text:
            break;
        }
        return compareTexts(first, second);
    } catch (...) {
        return TRelation::Equal;
    }
}

// A cell text with its first eight bytes packed big-endian, zeros after its end:
// keys that differ there order as their texts do, so most comparisons of a long
// table end without reaching the texts.
struct TextKey
{
    std::uint64_t prefix;
    std::string_view text;

    explicit TextKey(std::string_view cell) : prefix(0), text(cell)
    {
        for (std::size_t i = 0; i < sizeof prefix; ++i)
            prefix = prefix << 8 | (i < cell.size() ? static_cast<unsigned char>(cell[i]) : 0U);
    }
};

TRelation compareTextKeys(const TextKey& first, const TextKey& second)
{
    if (first.prefix != second.prefix)
        return first.prefix < second.prefix ? TRelation::Less : TRelation::Greater;
    return compareTexts(first.text, second.text);
}

// The order sortByColumn gives, with every cell read once into a key and the keys
// compared by the rule the comparison applies to the cells.
template <typename MakeKey, typename Compare>
void sortByKeys(TAlignGrid& grid, int col, bool ascending, MakeKey makeKey, Compare compare)
{
    const int first = grid.fixedRows();
    const int last = grid.rowCount();
    using Key = decltype(makeKey(std::string_view{}));
    std::vector<Key> keys;
    keys.reserve(static_cast<std::size_t>(std::max(last - first, 0)));
    for (int row = first; row < last; ++row)
        keys.push_back(makeKey(grid.cell(col, row)));
    const auto key = [&](int row) -> const Key& { return keys[static_cast<std::size_t>(row - first)]; };
    const TRelation before = ascending ? TRelation::Less : TRelation::Greater;
    grid.reorderRows(
        stableOrder(first, last, [&](int a, int b) { return compare(key(a), key(b)) == before; }));
}

// Sorts by the column's kind, reading each cell once instead of twice per
// comparison, which matters for numbers, converted on every reading; the order is
// the one the comparison of that kind gives. Without kinds the table's own
// comparison decides.
void sortByKind(TAlignGrid& grid, ColumnKinds kinds, int col, bool ascending)
{
    if (kinds.empty() || col < 0 || col >= grid.colCount()) {
        grid.sortByColumn(col, ascending);
        return;
    }
    try {
        switch (kindOf(kinds, col)) {
        case CellKind::Number:
            sortByKeys(grid, col, ascending, numberKey, [](double a, double b) { return relationOf(a, b); });
            return;
        case CellKind::Date:
            sortByKeys(
                grid, col, ascending, [](std::string_view cell) { return cell; },
                [](std::string_view a, std::string_view b) { return compareDateCells(a, b); });
            return;
        case CellKind::Text:
            sortByKeys(
                grid, col, ascending, [](std::string_view cell) { return TextKey(cell); },
                [](const TextKey& a, const TextKey& b) { return compareTextKeys(a, b); });
            return;
        }
    } catch (...) {
        // Out of memory for the keys: the plain sort needs none.
    }
    grid.sortByColumn(col, ascending);
}

} // namespace

void ApplySort(TAlignGrid& grid, ColumnKinds kinds, int column, bool ascending)
{
    const auto batch = grid.batchChanges();
    if (column < 0 || column >= grid.colCount())
        column = 1;
    for (int col = 0; col < grid.colCount(); ++col)
        grid.setFontColorCell(col, 0, col == column ? (ascending ? clBlue : clRed) : clBlack);
    sortByKind(grid, kinds, column, ascending);
}

void sortByTitleClick(TAlignGrid& grid, ColumnKinds kinds, SortState& state, int column)
{
    state.SortAscending = column == state.SortColumn ? !state.SortAscending : true;
    state.SortColumn = column;
    ApplySort(grid, kinds, state.SortColumn, state.SortAscending);
}

TRelation compareNumberCells(std::string_view first, std::string_view second)
{
    return relationOf(numberKey(first), numberKey(second));
}

TRelation compareDateCells(std::string_view first, std::string_view second)
{
    const bool firstDated = first.size() >= kDateLength;
    const bool secondDated = second.size() >= kDateLength;
    if (!firstDated || !secondDated) {
        if (firstDated != secondDated)
            return firstDated ? TRelation::Greater : TRelation::Less;
        return compareTexts(first, second);
    }
    // DD/MM gives the key MMDD.
    const std::array<char, 4> key1 = {first[3], first[4], first[0], first[1]};
    const std::array<char, 4> key2 = {second[3], second[4], second[0], second[1]};
    return compareTexts(std::string_view(key1.data(), key1.size()),
                        std::string_view(key2.data(), key2.size()));
}

TRelation StringGridYahooCompareCol(const TAlignGrid& Sender, int colrow, int compare1, int compare2)
{
    return compareCells(kindOf(categoryOf(ConnectionId::Azioni).columns, colrow), Sender, colrow, compare1,
                        compare2);
}

TRelation StringGridFondiCompareCol(const TAlignGrid& Sender, int colrow, int compare1, int compare2)
{
    return compareCells(kindOf(categoryOf(ConnectionId::Fondi).columns, colrow), Sender, colrow, compare1,
                        compare2);
}

} // namespace listorix
