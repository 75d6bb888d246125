#include "QuoteTablesFixture.h"
#include "base/Colour.h"
#include "grid/TAlignGrid.h"
#include "market/QuoteTableSorting.h"
#include "market/QuoteTables.h"
#include "market/TableOrdering.h"

#include <gtest/gtest.h>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace listorix {
namespace {

using test::columnTexts;
using test::QuoteTablesFixture;
using Texts = std::vector<std::string>;

constexpr int kFlash = 2;

TRelation mirrored(TRelation relation)
{
    return relation == TRelation::Less      ? TRelation::Greater
           : relation == TRelation::Greater ? TRelation::Less
                                            : TRelation::Equal;
}

// Shares and funds rows with the given texts in column 0 ("Codice") and `col`.
void fillRows(TAlignGrid& grid, int col, const Texts& codes, const Texts& values)
{
    grid.setRowCount(static_cast<int>(codes.size()) + 1);
    for (std::size_t i = 0; i < codes.size(); ++i) {
        grid.setCell(0, static_cast<int>(i) + 1, codes[i]);
        grid.setCell(col, static_cast<int>(i) + 1, values[i]);
    }
}

TEST(TableOrdering, comparisonsFollowEachColumnsKind)
{
    const auto shares = StringGridYahooCompareCol;
    const auto funds = StringGridFondiCompareCol;
    const struct
    {
        TCompareFunction compare;
        int col;
        const char* first;
        const char* second;
        TRelation expected;
    } cases[] = {
        // Numbers with a decimal comma; what does not convert counts as -1.
        {shares, 2, "10,5", "9,75", TRelation::Greater},
        {shares, 2, "N/A", "-1", TRelation::Equal},
        {shares, 2, "", "-0,5", TRelation::Less},
        {shares, 2, "", "-2", TRelation::Greater},
        {shares, 2, "9.75", "0", TRelation::Less}, // a decimal point does not convert
        {shares, 2, "1e3", "999", TRelation::Greater},
        {shares, 5, "2", "10", TRelation::Less},
        {shares, 8, "0,5", "0,50", TRelation::Equal},
        {shares, 9, "+0,85", "-1,23", TRelation::Greater},
        {shares, 10, "1500", "600", TRelation::Greater},
        // DD/MM by month first; cells too short for a date before every date.
        {shares, 3, "05/12", "20/11", TRelation::Greater},
        {shares, 3, "25/12", "24/12", TRelation::Greater},
        {shares, 3, "07/03", "07/03", TRelation::Equal},
        {shares, 3, "0/0", "01/01", TRelation::Less},
        {shares, 3, "0/0", "0/0", TRelation::Equal},
        {shares, 3, "0/0N", "01/01", TRelation::Less},
        {shares, 3, "", "0/0", TRelation::Less},
        {shares, 3, "0/03", "0/0N", TRelation::Less},
        // Texts by character code.
        {shares, 0, "10,5", "9,75", TRelation::Less},
        {shares, 0, "ENI", "ENI.MI", TRelation::Less},
        {shares, 1, "a", "B", TRelation::Greater},
        {shares, 4, "9:30", "10:00", TRelation::Greater},
        {funds, 2, "10,5", "9,75", TRelation::Greater},
        {funds, 3, "05/12", "20/11", TRelation::Greater},
        {funds, 3, "0/0", "01/01", TRelation::Less},
        {funds, 0, "10", "9", TRelation::Less},
        {funds, 1, "\xE8", "z", TRelation::Greater},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "column " << c.col << ": \"" << c.first << "\" vs \"" << c.second << '"');
        TAlignGrid grid(11, 3);
        grid.setCell(c.col, 1, c.first);
        grid.setCell(c.col, 2, c.second);
        EXPECT_EQ(c.compare(grid, c.col, 1, 2), c.expected);
        EXPECT_EQ(c.compare(grid, c.col, 2, 1), mirrored(c.expected));
        EXPECT_EQ(c.compare(grid, c.col, 1, 1), TRelation::Equal);
    }
}

TEST(TableOrdering, eachTableSortsByItsOwnComparison)
{
    const struct
    {
        const char* name;
        TAlignGrid QuoteTablesFixture::*grid;
        int col;
        Texts values;
        Texts ascending;
    } cases[] = {
        {"shares prices",
         &QuoteTablesFixture::StringGridYahoo,
         2,
         {"10,5", "9,75", "N/A"},
         {"N/A", "9,75", "10,5"}},
        {"bonds prices",
         &QuoteTablesFixture::StringGridYahooOBB,
         2,
         {"10,5", "9,75", "N/A"},
         {"10,5", "9,75", "N/A"}},
        {"derivatives prices",
         &QuoteTablesFixture::StringGridYahooDerivati,
         2,
         {"9,75", "10,5"},
         {"10,5", "9,75"}},
        {"funds prices", &QuoteTablesFixture::StringGridFondi, 2, {"10,5", "9,75"}, {"9,75", "10,5"}},
        {"shares dates",
         &QuoteTablesFixture::StringGridYahoo,
         3,
         {"05/12", "0/0", "20/11", "0/0"},
         {"0/0", "0/0", "20/11", "05/12"}},
        {"bonds dates",
         &QuoteTablesFixture::StringGridYahooOBB,
         3,
         {"05/12", "0/0", "20/11"},
         {"0/0", "05/12", "20/11"}},
        {"funds dates",
         &QuoteTablesFixture::StringGridFondi,
         3,
         {"05/12", "0/0", "20/11"},
         {"0/0", "20/11", "05/12"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QuoteTablesFixture tables;
        TAlignGrid& grid = tables.*c.grid;
        Texts codes;
        for (std::size_t i = 0; i < c.values.size(); ++i)
            codes.push_back("C" + std::to_string(i));
        fillRows(grid, c.col, codes, c.values);

        grid.clickFixedCol(c.col);
        EXPECT_EQ(columnTexts(grid, c.col), c.ascending);
        grid.clickFixedCol(c.col);
        const Texts descending(c.ascending.rbegin(), c.ascending.rend());
        EXPECT_EQ(columnTexts(grid, c.col), descending);
    }
}

TEST(TableOrdering, titleClicksToggleTheDirectionAndColourTheTitles)
{
    QuoteTablesFixture tables;
    TAlignGrid& grid = tables.StringGridYahoo;
    fillRows(grid, kFlash, {"B", "A", "C"}, {"9,75", "10,5", "1"});
    grid.setCell(1, 1, "beta");
    grid.setCell(1, 2, "alfa");
    grid.setCell(1, 3, "gamma");
    const struct
    {
        int click;
        int sortColumn;
        bool ascending;
        Texts codes;
    } steps[] = {
        {kFlash, kFlash, true, {"C", "B", "A"}}, {kFlash, kFlash, false, {"A", "B", "C"}},
        {1, 1, true, {"A", "B", "C"}},           {1, 1, false, {"C", "B", "A"}},
        {1, 1, true, {"A", "B", "C"}},           {0, 0, true, {"A", "B", "C"}},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(testing::Message() << "click on " << step.click);
        grid.clickFixedCol(step.click);
        const SortState state = tables.sorting.stateOf(ConnectionId::Azioni);
        EXPECT_EQ(state.SortColumn, step.sortColumn);
        EXPECT_EQ(state.SortAscending, step.ascending);
        EXPECT_EQ(columnTexts(grid, 0), step.codes);
        for (int col = 0; col < grid.colCount(); ++col)
            EXPECT_EQ(grid.effectiveFont(col, 0).color, col != step.sortColumn ? clBlack
                                                        : step.ascending       ? clBlue
                                                                               : clRed)
                << "title " << col;
    }
    // Each table keeps its own state.
    EXPECT_EQ(tables.sorting.stateOf(ConnectionId::Obbligazioni).SortColumn, 0);
    EXPECT_TRUE(tables.sorting.stateOf(ConnectionId::Fondi).SortAscending);
}

TEST(TableOrdering, columnOutsideTheTableSortsByName)
{
    for (const int column : {-1, 11, 99}) {
        SCOPED_TRACE(column);
        QuoteTablesFixture tables;
        TAlignGrid& grid = tables.StringGridYahoo;
        fillRows(grid, 1, {"A", "B", "C"}, {"beta", "gamma", "alfa"});
        ApplySort(grid, categoryOf(ConnectionId::Azioni).columns, column, false);
        EXPECT_EQ(columnTexts(grid, 1), (Texts{"gamma", "beta", "alfa"}));
        EXPECT_EQ(grid.effectiveFont(1, 0).color, clRed);
        EXPECT_EQ(grid.effectiveFont(0, 0).color, clBlack);
    }
}

TEST(TableOrdering, singleRowStaysAndTitlesStillChange)
{
    QuoteTablesFixture tables;
    TAlignGrid& grid = tables.StringGridFondi;
    fillRows(grid, kFlash, {"A"}, {"1,5"});
    grid.clickFixedCol(kFlash);
    grid.clickFixedCol(kFlash);
    EXPECT_EQ(columnTexts(grid, 0), Texts{"A"});
    EXPECT_EQ(grid.effectiveFont(kFlash, 0).color, clRed);
}

// The sort reads each cell once into a key; it must give exactly the order the
// comparison gives when the grid asks it about every pair, equal rows included.
TEST(TableOrdering, keyedSortGivesTheComparisonsOrder)
{
    // Numbers, dates and texts mixed in every column: each comparison meets every
    // kind. Texts share their first eight bytes, run past them, and use bytes
    // above 127.
    // clang-format off
    const Texts pool = {
        "10,5", "9,75", "-1", "N/A", "", "1e3", "+0,85", "-0,05", "007", "7",
        "05/12", "20/11", "0/0", "0/0N", "0/03", "25/12", "05/12x",
        "T000123.MI", "T000123.MX", "T000123", "ABCDEFGHIJ", "ABCDEFGH", "ABCDEFGH\x01",
        "\xE8" "abc", "\x80", "z", "a", "B", " 12 ", "1,5E2"};
    // clang-format on
    std::mt19937 random(7);
    std::uniform_int_distribution<std::size_t> pick(0, pool.size() - 1);
    const struct
    {
        ColumnKinds kinds;
        TRelation (*compare)(const TAlignGrid&, int, int, int);
    } tables[] = {{categoryOf(ConnectionId::Azioni).columns, StringGridYahooCompareCol},
                  {categoryOf(ConnectionId::Fondi).columns, StringGridFondiCompareCol},
                  {categoryOf(ConnectionId::Obbligazioni).columns, TAlignGrid::compareColTexts}};
    for (const auto& [kinds, compare] : tables) {
        for (int col = 0; col < 11; ++col) {
            for (const bool ascending : {true, false}) {
                SCOPED_TRACE(testing::Message()
                             << "column " << col << (ascending ? " ascending" : " descending"));
                TAlignGrid keyed(11, 301);
                TAlignGrid plain(11, 301);
                for (int row = 1; row < 301; ++row) {
                    for (int c = 0; c < 11; ++c) {
                        const std::string& text = pool[pick(random)];
                        keyed.setCell(c, row, text);
                        plain.setCell(c, row, text);
                    }
                }
                // Without kinds the table's own comparison is asked pair by pair.
                plain.OnCompareCol = compare;
                ApplySort(keyed, kinds, col, ascending);
                ApplySort(plain, {}, col, ascending);
                for (int c = 0; c < 11; ++c)
                    ASSERT_EQ(columnTexts(keyed, c), columnTexts(plain, c)) << "column " << c;
            }
        }
    }
}

TEST(TableOrdering, sortingLetsGoOfTheTablesWhenItGoes)
{
    TAlignGrid shares, bonds, derivatives, funds;
    setUpQuoteTable(shares, ConnectionId::Azioni);
    fillRows(shares, 0, {"B", "A"}, {"B", "A"});
    {
        QuoteTableSorting sorting({&shares, &bonds, &derivatives, &funds});
    }
    shares.clickFixedCol(0);
    EXPECT_EQ(columnTexts(shares, 0), (Texts{"B", "A"}));
}

} // namespace
} // namespace listorix
