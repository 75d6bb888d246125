#include "grid/TAlignGrid.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

namespace listorix {
namespace {

// A one-column table whose data rows hold the texts in order; row 0 is the header.
void fill(TAlignGrid& grid, const std::vector<std::string>& texts)
{
    grid.setRowCount(static_cast<int>(texts.size()) + 1);
    grid.setCell(0, 0, "Codice");
    for (std::size_t i = 0; i < texts.size(); ++i)
        grid.setCell(0, static_cast<int>(i) + 1, texts[i]);
}

std::vector<std::string> column(const TAlignGrid& grid, int col)
{
    std::vector<std::string> texts;
    for (int row = 1; row < grid.rowCount(); ++row)
        texts.push_back(grid.cell(col, row));
    return texts;
}

TEST(TAlignGridSort, rowsMoveWholeWithEveryCellSetting)
{
    TAlignGrid grid(3, 4);
    const std::vector<std::string> codes = {"c", "a", "b"};
    fill(grid, codes);
    for (int row = 1; row < 4; ++row) {
        const std::string code = grid.cell(0, row);
        grid.setCell(2, row, code + "-value");
        grid.setHintCell(2, row, "L." + code);
        grid.setEditCell(1, row, code == "a");
        grid.setAlignCell(2, row, code == "b" ? Alignment::Center : Alignment::Right);
    }
    grid.setFontColorCell(2, 1, clRed);    // row "c"
    grid.setColorCell(1, 2, clLightGreen); // row "a"
    grid.setColorRow(1, clLightYellow);    // a row-level set: stays with the position
    grid.setFontColorCell(0, 0, clBlue);   // the header stays where it is
    grid.setCurrentRow(2);                 // row "a"

    grid.sortByColumn(0, true);

    EXPECT_EQ(column(grid, 0), (std::vector<std::string>{"a", "b", "c"}));
    for (int row = 1; row < 4; ++row) {
        const std::string code = grid.cell(0, row);
        SCOPED_TRACE(code);
        EXPECT_EQ(grid.cell(2, row), code + "-value");
        EXPECT_EQ(grid.hintCell(2, row), "L." + code);
        EXPECT_EQ(grid.editCell(1, row), code == "a");
        EXPECT_EQ(grid.alignCell(2, row), code == "b" ? Alignment::Center : Alignment::Right);
        EXPECT_EQ(grid.effectiveFont(2, row).color, code == "c" ? clRed : clBlack);
    }
    EXPECT_EQ(grid.colorCell(1, 1), clLightGreen) << "the cell colour of row \"a\" came along";
    EXPECT_EQ(grid.colorCell(0, 1), clLightYellow) << "the row colour stayed on row 1";
    EXPECT_EQ(grid.colorCell(0, 3), grid.color());
    EXPECT_EQ(grid.cell(0, 0), "Codice");
    EXPECT_EQ(grid.effectiveFont(0, 0).color, clBlue);
    EXPECT_EQ(grid.currentRow(), 1) << "the current row follows its content";
}

TEST(TAlignGridSort, builtInComparisonIsOrdinalByCharacterCode)
{
    const std::vector<std::string> texts = {"b", "B", "9,75", "ab", "\xE8", "", "a", "10,5"};
    const std::vector<std::string> ascending = {"", "10,5", "9,75", "B", "a", "ab", "b", "\xE8"};

    TAlignGrid grid(1, 2);
    fill(grid, texts);
    grid.sortByColumn(0, true);
    EXPECT_EQ(column(grid, 0), ascending);

    grid.OnCompareCol = nullptr; // falls back to the same comparison
    fill(grid, texts);
    grid.sortByColumn(0, false);
    EXPECT_EQ(column(grid, 0), std::vector<std::string>(ascending.rbegin(), ascending.rend()));
}

TEST(TAlignGridSort, compareEventDecidesTheOrderByItsCodes)
{
    TAlignGrid grid(2, 2);
    fill(grid, {"x", "y", "z", "w"});
    const std::vector<std::string> prices = {"10,5", "9,75", "-1", "100"};
    for (int row = 1; row <= 4; ++row)
        grid.setCell(1, row, prices[static_cast<std::size_t>(row) - 1]);

    grid.OnCompareCol = [&](const TAlignGrid& sender, int colrow, int compare1, int compare2) {
        EXPECT_EQ(&sender, &grid);
        EXPECT_EQ(colrow, 1);
        EXPECT_GE(std::min(compare1, compare2), 1) << "the header is never compared";
        EXPECT_LT(std::max(compare1, compare2), sender.rowCount());
        auto number = [&](int row) {
            std::string text = sender.cell(colrow, row);
            std::replace(text.begin(), text.end(), ',', '.');
            return std::stod(text);
        };
        const double a = number(compare1);
        const double b = number(compare2);
        return a > b ? TRelation::Greater : a < b ? TRelation::Less : TRelation::Equal;
    };

    grid.sortByColumn(1, true);
    EXPECT_EQ(column(grid, 1), (std::vector<std::string>{"-1", "9,75", "10,5", "100"}));
    EXPECT_EQ(column(grid, 0), (std::vector<std::string>{"z", "y", "x", "w"}));
    grid.sortByColumn(1, false);
    EXPECT_EQ(column(grid, 1), (std::vector<std::string>{"100", "10,5", "9,75", "-1"}));
}

// Presorted input is the table's state after every refresh, so it must not cost more
// than the other orders; equal rows keep their order.
TEST(TAlignGridSort, comparisonCountStaysNLogNOnEveryInputShape)
{
    const int n = 1024;
    auto keys = [&](auto key) {
        std::vector<std::string> texts;
        for (int i = 0; i < n; ++i)
            texts.push_back(key(i));
        return texts;
    };
    auto padded = [](int value) {
        std::string text = std::to_string(value);
        return std::string(6 - text.size(), '0') + text;
    };
    std::mt19937 random(7);
    std::vector<std::string> shuffled = keys(padded);
    std::shuffle(shuffled.begin(), shuffled.end(), random);

    struct Shape
    {
        const char* name;
        std::vector<std::string> texts;
        bool ascending;
        long long maxComparisons;
    };
    const long long nLogN = static_cast<long long>(n * std::log2(n));
    const std::vector<Shape> shapes = {
        {"presorted", keys(padded), true, n},
        {"presorted descending", keys(padded), false, nLogN},
        {"reverse", keys([&](int i) { return padded(n - i); }), true, nLogN},
        {"all equal", keys([](int) { return std::string("same"); }), true, n},
        {"random", shuffled, true, nLogN},
    };
    for (const Shape& shape : shapes) {
        SCOPED_TRACE(shape.name);
        TAlignGrid grid(2, 2);
        fill(grid, shape.texts);
        for (int row = 1; row <= n; ++row)
            grid.setCell(1, row, std::to_string(row));
        long long comparisons = 0;
        grid.OnCompareCol = [&](const TAlignGrid& sender, int colrow, int compare1, int compare2) {
            ++comparisons;
            return TAlignGrid::compareColTexts(sender, colrow, compare1, compare2);
        };
        grid.sortByColumn(0, shape.ascending);
        EXPECT_LE(comparisons, shape.maxComparisons);

        std::vector<std::string> expected = shape.texts;
        std::stable_sort(expected.begin(), expected.end(), [&](const std::string& a, const std::string& b) {
            return shape.ascending ? a < b : b < a;
        });
        EXPECT_EQ(column(grid, 0), expected);
        if (shape.name == std::string("all equal")) {
            EXPECT_EQ(grid.cell(1, 1), "1") << "equal rows keep their order";
        }
    }
}

// A comparison that is no ordering at all still leaves every row whole, once.
TEST(TAlignGridSort, inconsistentComparisonsStillPermuteWholeRows)
{
    std::mt19937 random(11);
    const std::vector<std::pair<const char*, TCompareFunction>> comparisons = {
        {"random", [&](const TAlignGrid&, int, int, int) { return static_cast<TRelation>(random() % 3); }},
        {"always less", [](const TAlignGrid&, int, int, int) { return TRelation::Less; }},
        {"always greater", [](const TAlignGrid&, int, int, int) { return TRelation::Greater; }},
        {"out of range code", [](const TAlignGrid&, int, int, int) { return static_cast<TRelation>(7); }},
        {"throwing",
         [&](const TAlignGrid&, int, int, int) -> TRelation {
             if (random() % 2)
                 throw std::runtime_error("no number");
             return TRelation::Less;
         }},
    };
    for (const auto& [name, compare] : comparisons) {
        SCOPED_TRACE(name);
        TAlignGrid grid(2, 2);
        std::vector<std::string> texts;
        for (int i = 0; i < 300; ++i)
            texts.push_back("r" + std::to_string(i));
        fill(grid, texts);
        for (int row = 1; row <= 300; ++row)
            grid.setHintCell(1, row, grid.cell(0, row));
        grid.OnCompareCol = compare;

        for (bool ascending : {true, false}) {
            grid.sortByColumn(0, ascending);
            std::vector<std::string> after = column(grid, 0);
            std::sort(after.begin(), after.end());
            std::vector<std::string> before = texts;
            std::sort(before.begin(), before.end());
            EXPECT_EQ(after, before);
            for (int row = 1; row <= 300; ++row)
                ASSERT_EQ(grid.hintCell(1, row), grid.cell(0, row));
        }
    }
}

TEST(TAlignGridSort, comparisonThatResizesTheTableLeavesItAsTheHandlerDid)
{
    TAlignGrid grid(1, 2);
    fill(grid, {"c", "b", "a"});
    grid.OnCompareCol = [&](const TAlignGrid&, int, int, int) {
        grid.setRowCount(2);
        return TRelation::Less;
    };
    grid.sortByColumn(0, true);
    EXPECT_EQ(grid.rowCount(), 2);
    EXPECT_EQ(grid.cell(0, 1), "c");
}

TEST(TAlignGridSort, nothingToOrderChangesNothing)
{
    TAlignGrid grid(2, 2);
    fill(grid, {"only"});
    int notified = 0;
    grid.setChangeObserver([&](GridChange) { ++notified; });
    grid.sortByColumn(0, false); // a single data row
    fill(grid, {"a", "b"});
    notified = 0;
    grid.sortByColumn(0, true);  // already in order
    grid.sortByColumn(5, false); // no such column
    grid.sortByColumn(-1, false);
    EXPECT_EQ(notified, 0);
    EXPECT_EQ(column(grid, 0), (std::vector<std::string>{"a", "b"}));

    grid.sortByColumn(0, false);
    EXPECT_EQ(notified, 1);
    EXPECT_EQ(column(grid, 0), (std::vector<std::string>{"b", "a"}));
}

TEST(TAlignGridSort, reorderRowsTakesOnlyAPermutationOfTheDataRows)
{
    TAlignGrid grid(2, 4);
    fill(grid, {"a", "b", "c"});
    grid.setFontColorCell(1, 1, clRed); // row "a"
    grid.setCurrentRow(1);
    const std::vector<std::vector<int>> refused = {{}, {3, 2}, {3, 2, 1, 0}, {0, 1, 2}, {3, 3, 1}, {4, 2, 1}};
    for (const auto& order : refused) {
        EXPECT_FALSE(grid.reorderRows(order));
        EXPECT_EQ(column(grid, 0), (std::vector<std::string>{"a", "b", "c"}));
    }

    EXPECT_TRUE(grid.reorderRows({3, 1, 2}));
    EXPECT_EQ(column(grid, 0), (std::vector<std::string>{"c", "a", "b"}));
    EXPECT_EQ(grid.effectiveFont(1, 2).color, clRed) << "the row moved whole";
    EXPECT_EQ(grid.currentRow(), 2) << "the current row follows its content";

    TAlignGrid headerOnly(2, 1);
    EXPECT_TRUE(headerOnly.reorderRows({}));
}

} // namespace
} // namespace listorix
