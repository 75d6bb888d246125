#include "portfolio/CodeIndex.h"
#include "settings/CaseFold.h"
#include "ui/TAlignGrid.h"

#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace listorix {
namespace {

// What the index stands for: a scan from the top.
int scanFirstRow(const TAlignGrid& table, int firstRow, std::string_view code)
{
    for (int row = firstRow; row < table.rowCount(); ++row) {
        if (textEqualsIgnoringCase(table.cell(0, row), code))
            return row;
    }
    return -1;
}

TEST(CodeIndex, answersWhatAScanFromTheTopAnswers)
{
    // Few distinct codes, so that duplicates, case variants (Latin-1 letters too),
    // empty codes and the header's own title all occur many times.
    const std::vector<std::string> pool = {"",      "ENI.MI",   "eni.mi",   "Eni.Mi", "\xC0GR", "\xE0gr",
                                           "\xD7X", "\xF7x",    "CODICE",   "codice", "TIT",    "TIT ",
                                           " TIT",  "\x8A\x9F", "\x9A\xFF", "ENI.M",  "ENI.MII"};
    std::mt19937 random(7);
    std::uniform_int_distribution<std::size_t> pick(0, pool.size() - 1);
    for (int round = 0; round < 200; ++round) {
        TAlignGrid table(4, 1 + round % 40);
        table.setCell(0, 0, "Codice");
        for (int row = 1; row < table.rowCount(); ++row)
            table.setCell(0, row, pool[pick(random)]);
        for (const int firstRow : {0, 1}) {
            const CodeIndex index(table, firstRow);
            for (const std::string& code : pool)
                ASSERT_EQ(index.firstRow(code), scanFirstRow(table, firstRow, code))
                    << "round " << round << " first row " << firstRow << " code '" << code << "'";
        }
    }
}

TEST(CodeIndex, keepsTheFirstOfEqualCodesAndFindsTheHeader)
{
    TAlignGrid table(4, 5);
    table.setCell(0, 0, "Codice");
    table.setCell(0, 1, "eni.mi");
    table.setCell(0, 2, "ENI.MI");
    table.setCell(0, 3, "");
    table.setCell(0, 4,
                  "\xC8"
                  "A");
    const CodeIndex index(table);
    EXPECT_EQ(index.firstRow("ENI.MI"), 1);
    EXPECT_EQ(index.firstRow("CODICE"), 0);
    EXPECT_EQ(index.firstRow(""), 3);
    EXPECT_EQ(index.firstRow("\xE8"
                             "a"),
              4);
    EXPECT_EQ(index.firstRow("ENI"), -1);
    EXPECT_EQ(CodeIndex(table, 1).firstRow("codice"), -1);
}

TEST(CodeIndex, handlesTablesWithoutRows)
{
    const TAlignGrid empty(4, 0);
    EXPECT_EQ(CodeIndex(empty).firstRow(""), -1);
    const TAlignGrid header(4, 1);
    EXPECT_EQ(CodeIndex(header, 1).firstRow(""), -1);
}

} // namespace
} // namespace listorix
