// Security answers through the four quote tables: whatever the service sends,
// the table keeps its columns, holds no more rows than the answer has lines,
// stays in the order its title clicks asked for, and reading the same answer
// again gives the same table.

#include "AnswerLines.h"
#include "FuzzCheck.h"
#include "QuoteTablesFixture.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace {

using namespace listorix;

std::vector<std::vector<std::string>> cellsOf(const TAlignGrid& grid)
{
    std::vector<std::vector<std::string>> rows;
    for (int row = 0; row < grid.rowCount(); ++row)
        rows.push_back(test::rowTexts(grid, row));
    return rows;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::InputSplitter input(data, size);
    const unsigned char steer = input.takeByte();
    const unsigned char firstClick = input.takeByte();
    const unsigned char secondClick = input.takeByte();
    const LineList lines = fuzz::answerLines(input.rest());

    test::QuoteTablesFixture tables;
    const auto all = tables.tables();
    const test::QuoteTablesFixture::Table& table = all[steer % all.size()];
    TAlignGrid& grid = table.grid;
    const int columns = grid.colCount();
    // None, one or two title clicks (a second on the same column turns the order).
    if (steer & 4)
        tables.sorting.titleClick(table.id, firstClick % columns);
    if (steer & 8)
        tables.sorting.titleClick(table.id, secondClick % columns);
    const auto before = cellsOf(grid);

    test::QuoteTablesFixture::answer(table.sink, lines);
    FUZZ_CHECK(grid.colCount() == columns);
    if (lines.empty()) {
        FUZZ_CHECK(cellsOf(grid) == before); // an empty answer leaves the table alone
        return 0;
    }
    const int rows = grid.rowCount() - 1;
    FUZZ_CHECK(rows >= 0 && rows <= static_cast<int>(lines.size()));

    const SortState order = tables.sorting.stateOf(table.id);
    FUZZ_CHECK(order.SortColumn >= 0 && order.SortColumn < columns);
    for (int row = 1; row < rows; ++row) {
        const TRelation relation = grid.OnCompareCol(grid, order.SortColumn, row, row + 1);
        FUZZ_CHECK(relation != (order.SortAscending ? TRelation::Greater : TRelation::Less));
    }

    const auto once = cellsOf(grid);
    test::QuoteTablesFixture::answer(table.sink, lines);
    FUZZ_CHECK(cellsOf(grid) == once);
    return 0;
}
