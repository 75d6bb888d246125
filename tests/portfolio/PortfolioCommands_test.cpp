#include "PortfolioTestSupport.h"
#include "portfolio/PortfolioCommands.h"

#include <gtest/gtest.h>
#include <random>

namespace listorix::test {
namespace {

using namespace PortfolioColumn;

// Answers the confirmation as told and records the questions asked.
struct Answer
{
    bool yes;
    std::vector<std::string> asked;

    ConfirmQuestion prompt()
    {
        return [this](const std::string& question) {
            asked.push_back(question);
            return yes;
        };
    }
};

// Three holdings A, B, C with a hint each and B a personal row.
struct ThreeRows : PortfolioFixture
{
    ThreeRows()
    {
        hold({{"A.MI", "Alfa", "TA", "1"}, {"", "PERSONALE", "PERS", "2"}, {"C.MI", "Gamma", "TO", "3"}});
        portfolio.MarkPersonalRowsEditable();
        for (int row = 1; row <= 3; ++row)
            table.setHintCell(Totale, row, "hint " + cell(Nome, row));
    }
};

TEST(Cancella1Click, deletesTheCurrentRowAfterYesAndMovesTheRowsBelowUp)
{
    ThreeRows f;
    f.table.setCurrentRow(1);
    Answer answer{true, {}};
    ASSERT_TRUE(Cancella1Click(f.table, answer.prompt()));
    EXPECT_EQ(answer.asked, std::vector<std::string>{"Confermi la cancellazione della riga?"});
    EXPECT_EQ(f.column(Nome), (std::vector<std::string>{"PERSONALE", "Gamma"}));
    EXPECT_EQ(f.table.hintCell(Totale, 1), "hint PERSONALE");
    EXPECT_EQ(f.table.hintCell(Totale, 2), "hint Gamma");
    // The personal row keeps its hand-priced cells editable at its new place, and
    // the row that moves into its old place takes the column defaults it had.
    EXPECT_TRUE(f.table.editCell(Quotazione, 1));
    EXPECT_FALSE(f.table.editCell(Quotazione, 2));
}

TEST(Cancella1Click, anyAnswerButYesLeavesTheTableUnchanged)
{
    ThreeRows f;
    f.table.setCurrentRow(2);
    Answer answer{false, {}};
    EXPECT_FALSE(Cancella1Click(f.table, answer.prompt()));
    EXPECT_EQ(answer.asked.size(), 1u);
    EXPECT_FALSE(Cancella1Click(f.table, ConfirmQuestion{}));
    EXPECT_EQ(f.column(Nome), (std::vector<std::string>{"Alfa", "PERSONALE", "Gamma"}));
}

TEST(Cancella1Click, emptiesTheOnlyDataRowIntoAReadOnlyFreeRow)
{
    PortfolioFixture f;
    f.portfolio.SpeedButtonTitoloPersonaleClick();
    f.portfolio.RevaluePortfolio();
    Answer answer{true, {}};
    ASSERT_TRUE(Cancella1Click(f.table, answer.prompt()));
    EXPECT_EQ(f.table.rowCount(), 2);
    for (int col = 0; col < kPortfolioColumns; ++col) {
        EXPECT_EQ(f.cell(col, 1), "");
        EXPECT_EQ(f.table.hintCell(col, 1), "");
        EXPECT_FALSE(f.table.editCell(col, 1)) << col;
    }
}

TEST(Duplicariga1Click, appendsACopyOfTheTextsOfARowWithAName)
{
    ThreeRows f;
    f.table.setCurrentRow(2);
    ASSERT_TRUE(Duplicariga1Click(f.table));
    ASSERT_EQ(f.table.rowCount(), 5);
    for (int col = 0; col < kPortfolioColumns; ++col)
        EXPECT_EQ(f.cell(col, 4), f.cell(col, 2));
    EXPECT_EQ(f.table.hintCell(Totale, 4), "");
    // A copied personal row can still be priced by hand.
    EXPECT_TRUE(f.table.editCell(Quotazione, 4));
    EXPECT_TRUE(f.table.editCell(Nome, 4));

    f.table.setCell(Nome, 1, "");
    f.table.setCurrentRow(1);
    EXPECT_FALSE(Duplicariga1Click(f.table));
    EXPECT_EQ(f.table.rowCount(), 5);
}

TEST(SwapRows, exchangesTextsHintsAndEditabilityButNotColours)
{
    ThreeRows f;
    f.table.setFontColorCell(Guadagno, 1, clRed);
    SwapRows(f.table, 1, 2);
    EXPECT_EQ(f.column(Nome), (std::vector<std::string>{"PERSONALE", "Alfa", "Gamma"}));
    EXPECT_EQ(f.table.hintCell(Totale, 1), "hint PERSONALE");
    EXPECT_TRUE(f.table.editCell(Quotazione, 1));
    EXPECT_FALSE(f.table.editCell(Quotazione, 2));
    // Each cell now holds its own setting, whatever the column says later.
    f.table.setEditCol(Quote, false);
    EXPECT_TRUE(f.table.editCell(Quote, 1));
    EXPECT_TRUE(f.table.editCell(Quote, 2));
    EXPECT_EQ(f.table.effectiveFont(Guadagno, 1).color, clRed);
}

TEST(SpeedButtonOrdinaClick, ordersByTypeThenName)
{
    PortfolioFixture f;
    f.hold({{"B1", "bond", "TO", "1"},
            {"S1", "share", "TA", "1"},
            {"", "PERSONALE", "PERS", "1"},
            {"F1", "fund", "F", "1"}});
    f.portfolio.MarkPersonalRowsEditable();
    ASSERT_TRUE(SpeedButtonOrdinaClick(f.table));
    EXPECT_EQ(f.column(Tipo), (std::vector<std::string>{"F", "PERS", "TA", "TO"}));
    EXPECT_EQ(f.column(Codice), (std::vector<std::string>{"F1", "", "S1", "B1"}));
    EXPECT_TRUE(f.table.editCell(Quotazione, 2));
    EXPECT_FALSE(f.table.editCell(Quotazione, 3));
}

TEST(SpeedButtonOrdinaClick, needsTwoDataRows)
{
    PortfolioFixture f;
    f.hold({{"B1", "bond", "TO", "1"}});
    EXPECT_FALSE(SpeedButtonOrdinaClick(f.table));
}

// The order the command promises is that of its exchanges made one by one with
// SwapRows; rows of equal keys may change places, so the result is compared with
// those exchanges, cell by cell, on tables with many equal keys.
TEST(SpeedButtonOrdinaClick, endsAsTheExchangesMadeWithSwapRowsEnd)
{
    const char* types[] = {"TA", "TO", "F", "PERS", ""};
    const char* names[] = {"a", "B", "b", "", "\xE8"};
    std::mt19937 random(3);
    for (int round = 0; round < 60; ++round) {
        PortfolioFixture sorted;
        PortfolioFixture reference;
        const int rows = 2 + round % 12;
        for (PortfolioFixture* f : {&sorted, &reference})
            f->table.setRowCount(rows + 1);
        for (int row = 1; row <= rows; ++row) {
            const std::string type = types[random() % 5];
            const std::string name = names[random() % 5];
            const bool ownEdit = random() % 2 == 0;
            for (PortfolioFixture* f : {&sorted, &reference}) {
                f->table.setCell(Tipo, row, type);
                f->table.setCell(Nome, row, name);
                f->table.setCell(Codice, row, "C" + std::to_string(row));
                f->table.setHintCell(Totale, row, "h" + std::to_string(row));
                if (ownEdit)
                    f->table.setEditCell(Data, row, true);
            }
        }
        SpeedButtonOrdinaClick(sorted.table);
        for (int a = 1; a < rows; ++a)
            for (int d = a + 1; d <= rows; ++d)
                if (reference.cell(Tipo, a) + reference.cell(Nome, a) >
                    reference.cell(Tipo, d) + reference.cell(Nome, d))
                    SwapRows(reference.table, a, d);
        for (int row = 1; row <= rows; ++row) {
            for (int col = 0; col < kPortfolioColumns; ++col) {
                SCOPED_TRACE(testing::Message() << "round " << round << " cell " << col << "," << row);
                ASSERT_EQ(sorted.cell(col, row), reference.cell(col, row));
                ASSERT_EQ(sorted.table.hintCell(col, row), reference.table.hintCell(col, row));
                const PropertySet* own = sorted.table.findPropCell(col, row);
                const PropertySet* expected = reference.table.findPropCell(col, row);
                ASSERT_EQ(own ? own->editable : std::nullopt, expected ? expected->editable : std::nullopt);
            }
        }
    }
}

TEST(SpeedButtonSposta, movesTheCurrentRowAndTheSelectionFollows)
{
    ThreeRows f;
    f.portfolio.connectTableEvents();
    f.table.setCurrentRow(1);
    ASSERT_TRUE(SpeedButtonSpostaSottoClick(f.table));
    EXPECT_EQ(f.column(Nome), (std::vector<std::string>{"PERSONALE", "Alfa", "Gamma"}));
    EXPECT_EQ(f.table.currentRow(), 2);
    EXPECT_EQ(f.table.colorCell(Totale, 2), f.portfolio.activeCaptionColour()); // the highlight followed

    ASSERT_TRUE(SpeedButtonSpostaSopraClick(f.table));
    EXPECT_EQ(f.column(Nome), (std::vector<std::string>{"Alfa", "PERSONALE", "Gamma"}));
    EXPECT_EQ(f.table.currentRow(), 1);
}

TEST(SpeedButtonSposta, doesNothingAtTheEdges)
{
    ThreeRows f;
    f.table.setCurrentRow(1);
    EXPECT_FALSE(SpeedButtonSpostaSopraClick(f.table));
    f.table.setCurrentRow(3);
    EXPECT_FALSE(SpeedButtonSpostaSottoClick(f.table));
    EXPECT_EQ(f.column(Nome), (std::vector<std::string>{"Alfa", "PERSONALE", "Gamma"}));

    PortfolioFixture one;
    one.hold({{"A.MI", "Alfa", "TA", "1"}});
    EXPECT_FALSE(SpeedButtonSpostaSottoClick(one.table));
    EXPECT_FALSE(SpeedButtonSpostaSopraClick(one.table));
}

} // namespace
} // namespace listorix::test
