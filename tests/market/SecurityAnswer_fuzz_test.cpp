#include "QuoteTablesFixture.h"
#include "market/SecurityAnswer.h"

#include <algorithm>
#include <array>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace listorix {
namespace {

using test::QuoteTablesFixture;

constexpr int kDate = 3;
constexpr int kChange = 9;

bool isDateHalf(std::string_view half)
{
    return half == "0" || half.size() >= 2;
}

// Answers made of field-like pieces, each line keyed by a symbol of its own so its
// row can be found after the sort, go into a table sorted in some order: every
// accepted line gives one row, the cells keep their shapes and the rows their order.
TEST(SecurityAnswerFuzz, randomAnswersGiveWellFormedSortedTables)
{
    constexpr unsigned kSeed = 20050125;
    std::mt19937 random(kSeed);
    const std::array<std::string_view, 22> pieces = {
        "\"", ";", "/", " - ", "%", "N/A", "^",  "@",   "1",          "25",     "2005",
        ".",  ",", "-", "+",   " ", "  ",  "\t", "0.5", "12/25/2005", "5:35pm", "\xe9"};
    const std::array<std::string_view, 8> numberPieces = {"1", "0", "25", ".", ",", "-", "+", "N/A"};
    auto pick = [&](const auto& from) { return from[random() % from.size()]; };
    auto randomText = [&](const auto& from, int most) {
        std::string text;
        for (int n = static_cast<int>(random() % static_cast<unsigned>(most + 1)); n > 0; --n)
            text += pick(from);
        return text;
    };

    for (int i = 0; i < 800; ++i) {
        SCOPED_TRACE(testing::Message() << "seed " << kSeed << ", iteration " << i);
        QuoteTablesFixture tables;
        const auto all = tables.tables();
        const QuoteTablesFixture::Table& table = all[random() % all.size()];
        TAlignGrid& grid = table.grid;
        const int columns = grid.colCount();
        for (int clicks = static_cast<int>(random() % 3); clicks > 0; --clicks)
            tables.sorting.titleClick(table.id, static_cast<int>(random() % static_cast<unsigned>(columns)));

        LineList lines;
        std::vector<std::string> expectedChange; // per line, when its change field is well formed
        int surelyAccepted = 0;
        for (int n = static_cast<int>(random() % 9); n > 0; --n) {
            const int key = static_cast<int>(lines.size());
            std::string line = "\"K" + std::to_string(key) + "\"";
            if (random() % 8 == 0)
                line = std::string(random() % 2 ? "@" : " ^") + "K" + std::to_string(key);
            std::string change;
            for (int field = 1; field < static_cast<int>(random() % 14); ++field) {
                line += ';';
                if (field == kChange && std::count(line.begin(), line.end(), ';') == kChange &&
                    random() % 2) {
                    const std::string percent = randomText(numberPieces, 4);
                    line += randomText(numberPieces, 3) + "1 - " + percent + "%";
                    change = percent;
                    std::replace(change.begin(), change.end(), '.', ',');
                } else {
                    line += randomText(pieces, 4);
                }
            }
            if (line.starts_with('"') && line.find_first_of("@^") == std::string::npos)
                ++surelyAccepted;
            lines.push_back(line);
            expectedChange.push_back(change);
        }
        SCOPED_TRACE(testing::Message() << "table " << (&table - all.data()) << ", first line "
                                        << (lines.empty() ? "" : lines.front()));

        QuoteTablesFixture::answer(table.sink, lines);
        ASSERT_EQ(grid.colCount(), columns);
        if (lines.empty()) {
            EXPECT_EQ(grid.rowCount(), 2); // an empty answer leaves the table alone
            continue;
        }
        const int rows = grid.rowCount() - 1;
        EXPECT_GE(rows, surelyAccepted);
        EXPECT_LE(rows, static_cast<int>(lines.size()));

        std::vector<bool> seen(lines.size());
        for (int row = 1; row <= rows; ++row) {
            const std::string& symbol = grid.cell(0, row);
            ASSERT_TRUE(symbol.starts_with('K')) << symbol;
            const auto line = static_cast<std::size_t>(std::stoi(symbol.substr(1)));
            ASSERT_LT(line, lines.size());
            EXPECT_FALSE(seen[line]) << symbol << " twice";
            seen[line] = true;

            const std::string& date = grid.cell(kDate, row);
            const std::size_t slash = date.find('/');
            ASSERT_NE(slash, std::string::npos) << date;
            EXPECT_EQ(date.find('/', slash + 1), std::string::npos) << date;
            EXPECT_TRUE(isDateHalf(date.substr(0, slash)) && isDateHalf(date.substr(slash + 1))) << date;

            if (columns > kChange && !expectedChange[line].empty()) {
                EXPECT_EQ(grid.cell(kChange, row), expectedChange[line]) << lines[line];
            }
        }

        const SortState order = tables.sorting.stateOf(table.id);
        for (int row = 1; row < rows; ++row) {
            const TRelation relation = grid.OnCompareCol(grid, order.SortColumn, row, row + 1);
            EXPECT_NE(relation, order.SortAscending ? TRelation::Greater : TRelation::Less)
                << "rows " << row << " and " << row + 1 << " of column " << order.SortColumn << ": \""
                << grid.cell(order.SortColumn, row) << "\", \"" << grid.cell(order.SortColumn, row + 1)
                << "\"";
        }
    }
}

} // namespace
} // namespace listorix
