#include "base/CaseFold.h"
#include "grid/TAlignGrid.h"
#include "portfolio/CodeIndex.h"

#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace listorix {
namespace {

// What the lookup stands for: a scan from the top, header row included.
int scanFirstRow(const TAlignGrid& table, std::string_view code)
{
    for (int row = 0; row < table.rowCount(); ++row) {
        if (textEqualsIgnoringCase(table.cell(0, row), code))
            return row;
    }
    return -1;
}

TEST(firstRowsOf, answersWhatAScanFromTheTopAnswersForEveryCode)
{
    // Few distinct codes, so that duplicates, case variants (Latin-1 letters too),
    // empty codes and the header's own title all occur many times, in the table and
    // among the codes looked for.
    const std::vector<std::string> pool = {"",      "ENI.MI",   "eni.mi",   "Eni.Mi", "\xC0GR",  "\xE0gr",
                                           "\xD7X", "\xF7x",    "CODICE",   "codice", "TIT",     "TIT ",
                                           " TIT",  "\x8A\x9F", "\x9A\xFF", "ENI.M",  "ENI.MII", "ZZZ"};
    std::mt19937 random(7);
    std::uniform_int_distribution<std::size_t> pick(0, pool.size() - 1);
    for (int round = 0; round < 300; ++round) {
        TAlignGrid table(4, round % 40);
        table.setCell(0, 0, "Codice");
        for (int row = 1; row < table.rowCount(); ++row)
            table.setCell(0, row, pool[pick(random)]);
        CodeIndex codes;
        std::vector<std::string> wanted;
        for (int k = round % 7; k > 0; --k) {
            wanted.push_back(pool[pick(random)]);
            codes.insert(wanted.back());
        }
        const std::vector<int> rows = firstRowsOf(table, codes);
        ASSERT_EQ(static_cast<int>(rows.size()), codes.size());
        for (const std::string& code : wanted) {
            const int id = codes.find(code);
            ASSERT_GE(id, 0);
            ASSERT_EQ(rows[static_cast<std::size_t>(id)], scanFirstRow(table, code))
                << "round " << round << " code '" << code << "'";
        }
    }
}

TEST(CodeIndex, numbersCodesInTheOrderTheyFirstCome)
{
    CodeIndex codes;
    EXPECT_EQ(codes.find(""), -1);
    EXPECT_EQ(codes.insert("eni.mi"), 0);
    EXPECT_EQ(codes.insert(""), 1);
    EXPECT_EQ(codes.insert("ENI.MI"), 0);
    EXPECT_EQ(codes.insert("\xC8"
                           "A"),
              2);
    EXPECT_EQ(codes.find("\xE8"
                         "a"),
              2);
    EXPECT_EQ(codes.find(""), 1);
    EXPECT_EQ(codes.find("ENI"), -1);
    EXPECT_EQ(codes.size(), 3);
}

TEST(CodeIndex, keepsEveryCodeAsItGrows)
{
    CodeIndex codes;
    for (int i = 0; i < 5000; ++i)
        ASSERT_EQ(codes.insert("T" + std::to_string(i) + ".mi"), i);
    for (int i = 0; i < 5000; ++i)
        ASSERT_EQ(codes.find("t" + std::to_string(i) + ".MI"), i);
    EXPECT_EQ(codes.find("T5000.MI"), -1);
}

} // namespace
} // namespace listorix
