#include "QuoteTablesFixture.h"
#include "base/Colour.h"
#include "market/SecurityAnswer.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace listorix {
namespace {

using test::columnTexts;
using test::QuoteTablesFixture;
using test::rowTexts;
using Row = std::vector<std::string>;

constexpr int kChange = 9;

// A full share line for `symbol` with the given last price, change and volume.
std::string shareLine(const std::string& symbol, const std::string& last = "1.5",
                      const std::string& change = "+0.01 - +0.50%", const std::string& volume = "1000")
{
    return "\"" + symbol + "\";\"NAME " + symbol + "\";" + last + ";1/25/2005;5:35pm;1.4;1.3;1.6;1.49;" +
           change + ";" + volume;
}

TEST(SecurityAnswer, answerLinesBecomeDisplayRows)
{
    const struct
    {
        const char* line;
        Row row;
        TColor changeColour;
    } cases[] = {
        {"\"ENI.MI\";\"ENI\";11.688;1/25/2005;5:35pm;11.653;11.637;11.772;11.701;-0.013 - -0.11%;7169128",
         {"ENI.MI", "ENI", "11,688", "25/01", "5:35pm", "11,653", "11,637", "11,772", "11,701", "-0,11",
          "7169128"},
         clRed},
        // Quotes go, blanks and control characters at the ends go, inner runs of
        // blanks shrink to one; the symbol and the name keep their points.
        {"\" B.P.M.MI \";\"  BANCA  POP.   MILANO \t\";12.345;3/7/2005;17.35;1;2;3;4;+0.10 - +0.85%;1500",
         {"B.P.M.MI", "BANCA POP. MILANO", "12,345", "07/03", "17,35", "1", "2", "3", "4", "+0,85", "1500"},
         clBlack},
        {"\"FOO.MI\";\"FOO.MI\";N/A;N/A;N/A;N/A;N/A;N/A;N/A;N/A;N/A",
         {"FOO.MI", "FOO.MI", "N/A", "0/0N", "N/A", "N/A", "N/A", "N/A", "N/A", "N/A", "N/A"},
         clBlack},
        // Missing fields leave empty cells, but the date shows 0/0.
        {"\"X.MI\";\"X\";0.5", {"X.MI", "X", "0,5", "0/0", "", "", "", "", "", "", ""}, clBlack},
        {"X.MI", {"X.MI", "", "", "0/0", "", "", "", "", "", "", ""}, clBlack},
        // Fields beyond the eleventh are read and not shown.
        {"A;B;1;12/25/2005;t;1;1;1;1;-1 - -2%;9;extra;more",
         {"A", "B", "1", "25/12", "t", "1", "1", "1", "1", "-2", "9"},
         clRed},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        QuoteTablesFixture tables;
        tables.answer(tables.Azioni, {c.line});
        ASSERT_EQ(tables.StringGridYahoo.rowCount(), 2);
        EXPECT_EQ(rowTexts(tables.StringGridYahoo, 1), c.row);
        EXPECT_EQ(tables.StringGridYahoo.effectiveFont(kChange, 1).color, c.changeColour);
    }
}

TEST(SecurityAnswer, datesTurnFromMonthDayYearToDayMonth)
{
    const struct
    {
        const char* field;
        const char* cell;
    } cases[] = {
        {"3/7/2005", "07/03"}, {"12/25/2005", "25/12"}, {"1/5/05", "05/01"}, {"03/07/2005", "07/03"},
        {"", "0/0"},           {"2005", "0/0"},         {"3/7", "0/03"},     {"N/A", "0/0N"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.field);
        QuoteTablesFixture tables;
        tables.answer(tables.Azioni, {std::string("A.MI;A;1;") + c.field + ";t"});
        EXPECT_EQ(tables.StringGridYahoo.cell(3, 1), c.cell);
    }
}

TEST(SecurityAnswer, changeKeepsThePercentageColouredBySign)
{
    const struct
    {
        const char* field;
        const char* cell;
        TColor colour;
    } cases[] = {
        {"-0.05 - -1.23%", "-1,23", clRed},
        {"+0.10 - +0.85%", "+0,85", clBlack},
        {"0.00 - 0.00%", "0,00", clBlack},
        {"-0.05  -  -1.23%", "-1,23", clRed}, // blanks shrink before the split
        {"+0.10", "+0,10", clBlack},          // no " - ": the field stays whole
        {"-0.10%", "-0,10%", clBlack},        // ... with its "%", so it does not convert
        {"-1 - -2%%", "-2%", clBlack},        // only the first "%" goes
        {"N/A", "N/A", clBlack},
        {"", "", clBlack},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.field);
        QuoteTablesFixture tables;
        // A red cell from an earlier answer must turn black when the sign does.
        tables.answer(tables.Azioni, {shareLine("A.MI", "1", "-1 - -1%")});
        tables.answer(tables.Azioni, {shareLine("A.MI", "1", c.field)});
        EXPECT_EQ(tables.StringGridYahoo.cell(kChange, 1), c.cell);
        EXPECT_EQ(tables.StringGridYahoo.effectiveFont(kChange, 1).color, c.colour);
    }
}

TEST(SecurityAnswer, linesForUnquotedAndSpecialSymbolsAreSkipped)
{
    QuoteTablesFixture tables;
    tables.answer(tables.Azioni, {
                                     shareLine("B.MI", "2"),
                                     "\"^MIBTEL\";30697.56;1/25/2005;15:30;-171.68",
                                     "\"@IDX\";\"X\";1",
                                     "\"\";\"\";N/A;N/A",
                                     "",
                                     "  \"  \"  ;\"BLANK SYMBOL\";1",
                                     "\"C.MI\";\"^NAME\";3",
                                     // rejected at its last field, after all eleven cells were written
                                     shareLine("D.MI", "4") + ";^tail",
                                     shareLine("A.MI", "1", "-1 - -1%"),
                                     "\"E.MI\";\"E\";5;1/25/2005;@t",
                                 });
    const TAlignGrid& grid = tables.StringGridYahoo;
    ASSERT_EQ(grid.rowCount(), 3) << "a rejected last line leaves no row behind";
    EXPECT_EQ(rowTexts(grid, 1),
              (Row{"A.MI", "NAME A.MI", "1", "25/01", "5:35pm", "1,4", "1,3", "1,6", "1,49", "-1", "1000"}));
    EXPECT_EQ(rowTexts(grid, 2), (Row{"B.MI", "NAME B.MI", "2", "25/01", "5:35pm", "1,4", "1,3", "1,6",
                                      "1,49", "+0,50", "1000"}));
    EXPECT_EQ(grid.effectiveFont(kChange, 1).color, clRed);
    EXPECT_EQ(grid.effectiveFont(kChange, 2).color, clBlack);
}

TEST(SecurityAnswer, fundsKeepFourColumnsOfElevenFields)
{
    QuoteTablesFixture tables;
    tables.answer(
        tables.Fondi,
        {"\"IT0004389109.MI\";\"EURIZON  AZIONI ITALIA\";7.982;1/24/2005;N/A;N/A;N/A;N/A;N/A;N/A;N/A",
         "\"IT0001.MI\";\"FONDO\";12.5;12/31/2004;4:00pm;N/A;N/A;N/A;N/A;-0.1 - -0.8%;0"});
    const TAlignGrid& grid = tables.StringGridFondi;
    EXPECT_EQ(grid.colCount(), 4);
    ASSERT_EQ(grid.rowCount(), 3);
    EXPECT_EQ(rowTexts(grid, 1), (Row{"IT0001.MI", "FONDO", "12,5", "31/12"}));
    EXPECT_EQ(rowTexts(grid, 2), (Row{"IT0004389109.MI", "EURIZON AZIONI ITALIA", "7,982", "24/01"}));
    for (int col = 0; col < grid.colCount(); ++col)
        EXPECT_EQ(grid.findPropCell(col, 1), nullptr)
            << "no change colour in a table without a change column";
}

TEST(SecurityAnswer, tableHoldsExactlyTheAcceptedRowsOfTheLastAnswer)
{
    const struct
    {
        const char* name;
        LineList first;
        LineList second;
        std::vector<std::string> codes;
    } cases[] = {
        {"one line fewer",
         {shareLine("A"), shareLine("B"), shareLine("C")},
         {shareLine("A"), shareLine("B")},
         {"A", "B"}},
        {"one line", {shareLine("A"), shareLine("B"), shareLine("C")}, {shareLine("Z")}, {"Z"}},
        {"rejected last line",
         {shareLine("A"), shareLine("B"), shareLine("C")},
         {shareLine("Y"), shareLine("Z"), "\"^MIB30\";1"},
         {"Y", "Z"}},
        {"one rejected line", {shareLine("A"), shareLine("B")}, {"\"^MIB30\";1"}, {}},
        {"longer", {shareLine("A")}, {shareLine("C"), shareLine("B"), shareLine("A")}, {"A", "B", "C"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QuoteTablesFixture tables;
        tables.answer(tables.Azioni, c.first);
        tables.answer(tables.Azioni, c.second);
        EXPECT_EQ(tables.StringGridYahoo.rowCount(), static_cast<int>(c.codes.size()) + 1);
        EXPECT_EQ(columnTexts(tables.StringGridYahoo, 0), c.codes);
        EXPECT_EQ(tables.StringGridYahoo.cell(0, 0), "Codice") << "the titles stay";
    }
}

TEST(SecurityAnswer, emptyAnswerIsRefusedAndKeepsTheTable)
{
    // What follows a refusal (the retry in a minute, the status line) is the
    // fetch's: see FetchDispatch's tests.
    QuoteTablesFixture tables;
    tables.answer(tables.Azioni, {shareLine("A"), shareLine("B")});
    const auto revision = tables.StringGridYahoo.revision();

    EXPECT_FALSE(tables.answer(tables.Azioni, {}));
    EXPECT_EQ(tables.Azioni.ParseSecurityAnswer({}, AnswerOrigin::Replay), AnswerVerdict::Refused);

    EXPECT_EQ(tables.StringGridYahoo.revision(), revision);
    EXPECT_EQ(columnTexts(tables.StringGridYahoo, 0), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(tables.Azioni.ParseSecurityAnswer({shareLine("A")}, AnswerOrigin::Replay), AnswerVerdict::Read);
}

TEST(SecurityAnswer, answerIsSortedInTheTablesOrderWithRowsWhole)
{
    QuoteTablesFixture tables;
    TAlignGrid& grid = tables.StringGridYahoo;
    const LineList answer = {shareLine("C", "9.75", "-0.1 - -1%", "500"),
                             shareLine("A", "10.5", "+0.1 - +1%", "70"),
                             shareLine("B", "1", "-0.2 - -2%", "1500")};
    tables.answer(tables.Azioni, answer);
    EXPECT_EQ(columnTexts(grid, 0), (std::vector<std::string>{"A", "B", "C"})) << "by Codice at first";
    EXPECT_EQ(grid.effectiveFont(0, 0).color, clBlue);

    // "volumi" descending, then a refresh with new volumes.
    grid.clickFixedCol(10);
    grid.clickFixedCol(10);
    tables.answer(tables.Azioni,
                  {shareLine("C", "9.75", "-0.1 - -1%", "50"), shareLine("A", "10.5", "+0.1 - +1%", "700"),
                   shareLine("B", "1", "-0.2 - -2%", "6000")});
    EXPECT_EQ(columnTexts(grid, 0), (std::vector<std::string>{"B", "A", "C"}));
    EXPECT_EQ(columnTexts(grid, 10), (std::vector<std::string>{"6000", "700", "50"}));
    for (int col = 0; col < grid.colCount(); ++col)
        EXPECT_EQ(grid.effectiveFont(col, 0).color, col == 10 ? clRed : clBlack) << "title " << col;
    for (int row = 1; row < grid.rowCount(); ++row)
        EXPECT_EQ(grid.effectiveFont(kChange, row).color, grid.cell(kChange, row)[0] == '-' ? clRed : clBlack)
            << "the change colour moved with row " << row;
}

TEST(SecurityAnswer, tableRepaintsOnceAndKeepsTheHighlightedRowNumber)
{
    QuoteTablesFixture tables;
    TAlignGrid& grid = tables.StringGridYahoo;
    tables.answer(tables.Azioni, {shareLine("A"), shareLine("B"), shareLine("C"), shareLine("D")});
    grid.setCurrentRow(3);
    int repaints = 0;
    grid.setChangeObserver([&](GridChange) { ++repaints; });

    tables.answer(tables.Azioni, {shareLine("D"), shareLine("B"), shareLine("C"), shareLine("E")});
    EXPECT_EQ(repaints, 1);
    EXPECT_FALSE(grid.isHidden());
    EXPECT_EQ(grid.currentRow(), 3);

    tables.answer(tables.Azioni, {shareLine("A"), shareLine("B")});
    EXPECT_EQ(grid.currentRow(), 2) << "within the shorter table";

    grid.hide();
    tables.answer(tables.Azioni, {shareLine("A")});
    EXPECT_TRUE(grid.isHidden()) << "a table hidden by someone else stays hidden";
    EXPECT_EQ(repaints, 2);
}

} // namespace
} // namespace listorix
