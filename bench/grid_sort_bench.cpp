// Sorting, filling and resizing a quote table of the size a long ticker list gives:
// 11 columns, a font on two cells of each row and a hint on one.
#include "grid/TAlignGrid.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace {

using listorix::TAlignGrid;

constexpr int kColumns = 11;

std::vector<std::string> codes(int rows)
{
    std::vector<std::string> texts;
    for (int i = 0; i < rows; ++i) {
        std::string text = std::to_string(i);
        texts.push_back("T" + std::string(6 - text.size(), '0') + text + ".MI");
    }
    return texts;
}

// Rows written one by one, the table growing a row at a time as an answer is parsed.
void fillTable(TAlignGrid& grid, const std::vector<std::string>& keys)
{
    grid.setColCount(kColumns);
    grid.setRowCount(2);
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const int row = static_cast<int>(i) + 1;
        if (row > 1)
            grid.setRowCount(row + 1);
        grid.setCell(0, row, keys[i]);
        grid.setCell(1, row, "NOME DEL TITOLO " + std::to_string(i));
        for (int col = 2; col < kColumns; ++col)
            grid.setCell(col, row,
                         std::to_string((i * 7919 + static_cast<std::size_t>(col)) % 10000) + ",25");
        grid.setFontColorCell(9, row, i % 2 ? listorix::clRed : listorix::clBlack);
        grid.changeFontCell(0, row, [](listorix::Font& font) { font.bold = true; });
        grid.setHintCell(5, row, "L." + std::to_string(i));
    }
}

std::vector<std::string> shuffled(int rows)
{
    std::vector<std::string> keys = codes(rows);
    std::mt19937 random(42);
    std::shuffle(keys.begin(), keys.end(), random);
    return keys;
}

// The comparison of a price column: numbers with a decimal comma.
listorix::TRelation comparePrices(const TAlignGrid& sender, int col, int row1, int row2)
{
    auto number = [&](int row) {
        std::string text = sender.cell(col, row);
        std::replace(text.begin(), text.end(), ',', '.');
        return std::strtod(text.c_str(), nullptr);
    };
    const double a = number(row1);
    const double b = number(row2);
    return a > b   ? listorix::TRelation::Greater
           : a < b ? listorix::TRelation::Less
                   : listorix::TRelation::Equal;
}

// The table sizes every sort benchmark runs at, fitted for its complexity.
void tableSizes(benchmark::internal::Benchmark* bench)
{
    for (const int rows : {2500, 5000, 10000, 20000})
        bench->Arg(rows);
    bench->Unit(benchmark::kMillisecond)->Complexity();
}

void BM_SortRandomText(benchmark::State& state)
{
    const int rows = static_cast<int>(state.range(0));
    TAlignGrid grid;
    fillTable(grid, codes(rows));
    const std::vector<std::string> keys = shuffled(rows);
    for (auto _ : state) {
        state.PauseTiming();
        for (int row = 1; row <= rows; ++row)
            grid.setCell(0, row, keys[static_cast<std::size_t>(row) - 1]);
        state.ResumeTiming();
        grid.sortByColumn(0, true);
    }
    state.SetComplexityN(rows);
}
BENCHMARK(BM_SortRandomText)->Apply(tableSizes);

// The state after every refresh: the table is re-sorted in the order it already has.
void BM_SortPresortedText(benchmark::State& state)
{
    const int rows = static_cast<int>(state.range(0));
    TAlignGrid grid;
    fillTable(grid, codes(rows));
    for (auto _ : state)
        grid.sortByColumn(0, true);
    state.SetComplexityN(rows);
}
BENCHMARK(BM_SortPresortedText)->Apply(tableSizes);

void BM_SortReverseText(benchmark::State& state)
{
    const int rows = static_cast<int>(state.range(0));
    TAlignGrid grid;
    fillTable(grid, codes(rows));
    for (auto _ : state) {
        state.PauseTiming();
        grid.sortByColumn(0, false);
        state.ResumeTiming();
        grid.sortByColumn(0, true);
    }
    state.SetComplexityN(rows);
}
BENCHMARK(BM_SortReverseText)->Apply(tableSizes);

void BM_SortRandomPrices(benchmark::State& state)
{
    TAlignGrid grid;
    fillTable(grid, shuffled(10000));
    grid.OnCompareCol = comparePrices;
    bool ascending = true;
    for (auto _ : state) {
        state.PauseTiming();
        grid.sortByColumn(0, true); // back to the order by code, unrelated to the prices
        state.ResumeTiming();
        grid.sortByColumn(2, ascending);
        ascending = !ascending;
    }
}
BENCHMARK(BM_SortRandomPrices)->Unit(benchmark::kMillisecond);

void BM_FillTable(benchmark::State& state)
{
    const std::vector<std::string> keys = codes(10000);
    for (auto _ : state) {
        TAlignGrid grid;
        fillTable(grid, keys);
        benchmark::DoNotOptimize(grid.rowCount());
    }
}
BENCHMARK(BM_FillTable)->Unit(benchmark::kMillisecond);

void BM_ShrinkAndGrow(benchmark::State& state)
{
    TAlignGrid grid;
    fillTable(grid, codes(10000));
    for (auto _ : state) {
        grid.setRowCount(10001);
        grid.setColCount(kColumns + 1);
        grid.setColCount(kColumns);
        grid.setRowCount(5001);
    }
}
BENCHMARK(BM_ShrinkAndGrow)->Unit(benchmark::kMillisecond);

} // namespace
