#include "PortfolioTestSupport.h"
#include "base/Money.h"
#include "portfolio/Portfolio.h"

#include <gtest/gtest.h>

namespace listorix::test {
namespace {

using namespace PortfolioColumn;

TEST(RevaluePortfolio, workedExampleComesOutCharacterForCharacter)
{
    PortfolioFixture f;
    fillCategoryTable(f.shares, {{"ENI.MI", "ENI", "12,4", "15/06"}});
    f.hold({{"ENI.MI", "ENI", "TA", "100", "", "10"}});
    f.table.setCurrentRow(0); // no row selected, so the colours follow the signs

    f.portfolio.RevaluePortfolio();

    EXPECT_EQ(f.cell(Quotazione, 1), "12,4");
    EXPECT_EQ(f.table.hintCell(Quotazione, 1), "L.24.010");
    EXPECT_EQ(f.cell(Data, 1), "15/06");
    EXPECT_EQ(f.cell(Totale, 1), "     1.240,0000");
    EXPECT_EQ(f.table.hintCell(Totale, 1), "L.2.400.975");
    EXPECT_EQ(f.cell(Guadagno, 1), "       240,0000");
    EXPECT_EQ(f.table.hintCell(Guadagno, 1), "L.464.705");
    EXPECT_EQ(f.cell(Acquisto, 1), "        10,0000");
    EXPECT_EQ(f.table.hintCell(Acquisto, 1), "L.19.363");
    EXPECT_EQ(f.cell(Var, 1), "24,00");
    EXPECT_EQ(f.totalCaption.text(), "Totale Portafoglio: Eu 1.240,0000 = L.2.400.975");
    EXPECT_EQ(f.gainCaption.text(), "Totale Guadagno: Eu 240,0000 = L.464.705");
}

TEST(RevaluePortfolio, emptyPortfolioGivesZeroTotals)
{
    PortfolioFixture f;
    f.portfolio.RevaluePortfolio();
    EXPECT_EQ(f.totalCaption.text(), "Totale Portafoglio: Eu 0,0000 = L.0");
    EXPECT_EQ(f.gainCaption.text(), "Totale Guadagno: Eu 0,0000 = L.0");
    EXPECT_EQ(f.column(Totale), std::vector<std::string>{""});
}

TEST(RevaluePortfolio, copiesPricesFromTheTableOfEachTypeAndKeepsThemWhenNotFound)
{
    PortfolioFixture f;
    fillCategoryTable(f.shares, {{"ENI.MI", "ENI", "12,4", "15/06/05"},
                                 {"ENI.MI", "ENI again", "99", "01/01"},
                                 {"TIT.MI", "TELECOM", "  ", "16/06"}});
    fillCategoryTable(f.bonds, {{"BTP1", "BTP", "101,5", "14/06"}});
    fillCategoryTable(f.derivatives, {{"FIB", "FIB", "30.000,5", "15/06"}});
    fillCategoryTable(f.funds, {{"FND", "Fondo", "5,123", "13/06"}});
    f.hold({
        {"eni.mi", "ENI", "TA", "1"},                         // other case; the first of two rows wins
        {"TIT.MI", "TELECOM", "TA", "1", "2,5", "", "10/06"}, // blank price in the table
        {"GONE.MI", "X", "TA", "1", "3", "", "09/06"},        // no longer listed
        {"codice", "X", "TA", "1", "4", "", "08/06"},         // matches the header only
        {"BTP1", "BTP", "TO", "1"},
        {"FIB", "FIB", "TD", "1"},
        {"FND", "Fondo", "F", "1"},
        {"ENI.MI", "mine", "PERS", "1", "7", "", "07/06"}, // priced by hand
        {"ENI.MI", "X", "ta", "1", "1000"},                // no type of the program's
        {"", "", "", ""},                                  // the free row
    });

    f.portfolio.RevaluePortfolio();

    EXPECT_EQ(f.column(Quotazione), (std::vector<std::string>{"12,4", "2,5", "3", "4", "101,5", "30.000,5",
                                                              "5,123", "7", "1000", ""}));
    EXPECT_EQ(f.column(Data), (std::vector<std::string>{"15/06", "10/06", "09/06", "08/06", "14/06", "15/06",
                                                        "13/06", "07/06", "", ""}));
    EXPECT_EQ(f.cell(Totale, 6), "    30.000,5000");
    EXPECT_EQ(f.cell(Totale, 9), "");
    EXPECT_EQ(f.cell(Totale, 10), "");
    EXPECT_EQ(f.table.hintCell(Quotazione, 9), "");
    // Everything valued but the row of unknown type and the free row.
    EXPECT_EQ(f.totalCaption.text().substr(0, 35), "Totale Portafoglio: Eu 30.136,0230 ");
}

struct PurchaseCase
{
    const char* typed;
    const char* acquisto; // after revaluation
    const char* var;
    const char* guadagno;
};

TEST(RevaluePortfolio, purchasePriceDecidesChangeAndGain)
{
    const PurchaseCase cases[] = {
        {"", "", "", "       124,0000"},
        {"0", "0", "", "       124,0000"},
        {"-5", "-5", "", "       124,0000"},
        {"abc", "abc", "", "       124,0000"},
        {"1234,5", "     1.234,5000", "-99,00", "   -12.221,0000"},
        {"1.234,5", "     1.234,5000", "-99,00", "   -12.221,0000"},
        {"12,4", "        12,4000", "0,00", "         0,0000"},
    };
    for (const PurchaseCase& c : cases) {
        SCOPED_TRACE(c.typed);
        PortfolioFixture f;
        f.hold({{"", "PERSONALE", "PERS", "10", "12,4", c.typed}});
        f.portfolio.RevaluePortfolio();
        f.portfolio.RevaluePortfolio(); // reads back what it wrote
        EXPECT_EQ(f.cell(Acquisto, 1), c.acquisto);
        EXPECT_EQ(f.cell(Var, 1), c.var);
        EXPECT_EQ(f.cell(Guadagno, 1), c.guadagno);
        EXPECT_EQ(f.cell(Totale, 1), "       124,0000");
        // The lire hint always describes the purchase price the cell shows.
        EXPECT_EQ(f.table.hintCell(Acquisto, 1), FormatLire(c.acquisto));
    }
}

TEST(RevaluePortfolio, purchasePriceSetToZeroDropsTheOldLireHint)
{
    PortfolioFixture f;
    f.hold({{"", "PERSONALE", "PERS", "1", "5", "10"}});
    f.portfolio.RevaluePortfolio();
    ASSERT_EQ(f.table.hintCell(Acquisto, 1), "L.19.363");
    f.table.setCell(Acquisto, 1, "0");
    f.portfolio.RevaluePortfolio();
    EXPECT_EQ(f.table.hintCell(Acquisto, 1), "L.0");
    EXPECT_EQ(f.cell(Var, 1), "");
}

TEST(RevaluePortfolio, quantityIsReadWithoutRemovingPoints)
{
    PortfolioFixture f;
    f.hold({{"", "P", "PERS", "1.000", "2"}, {"", "P", "PERS", "1000", "2"}});
    f.portfolio.RevaluePortfolio();
    EXPECT_EQ(f.cell(Totale, 1), "         0,0000");
    EXPECT_EQ(f.cell(Totale, 2), "     2.000,0000");
}

TEST(RevaluePortfolio, coloursSignsRedExceptInTheCurrentRow)
{
    PortfolioFixture f;
    ASSERT_EQ(f.table.font().color, clBlack);
    f.hold({{"", "P", "PERS", "1", "5", "10"},
            {"", "P", "PERS", "1", "5", "10"},
            {"", "P", "PERS", "1", "15", "10"}});
    f.table.setCurrentRow(2);
    f.portfolio.RevaluePortfolio();
    for (const int col : {Var, Guadagno}) {
        EXPECT_EQ(f.table.effectiveFont(col, 1).color, clRed);
        EXPECT_EQ(f.table.effectiveFont(col, 2).color, clWhite);
        EXPECT_EQ(f.table.effectiveFont(col, 3).color, clBlack);
    }
    EXPECT_EQ(f.table.effectiveFont(Totale, 1).color, clBlack);
    EXPECT_EQ(f.totalCaption.text(), "Totale Portafoglio: Eu 25,0000 = L.48.407");
    EXPECT_EQ(f.gainCaption.text(), "Totale Guadagno: Eu -5,0000 = L.-9.681");
}

// --- the row highlight ------------------------------------------------------------

TEST(StringGridPortafoglioSelectCell, highlightsTheNewRowAndRestoresTheOldOne)
{
    PortfolioFixture f;
    f.portfolio.connectTableEvents();
    const TColor caption = rgbColour(10, 20, 30);
    f.portfolio.setActiveCaptionColour(caption);
    f.hold({{"", "P", "PERS", "1", "5", "10"}, {"", "P", "PERS", "1", "15", "10"}});
    f.table.setCell(DataAcq, 1, "-01/01");
    f.portfolio.RevaluePortfolio();

    bool canSelect = false; // the page change repaints the current row's highlight
    f.portfolio.StringGridPortafoglioSelectCell(nullptr, 0, 99, canSelect);
    EXPECT_TRUE(canSelect);
    EXPECT_EQ(f.portfolio.savedColumnColours(),
              (SavedColumnColours{clLightCyan, clLightYellow, clLightGreen}));
    EXPECT_EQ(f.table.colorCell(Nome, 1), caption);
    for (const int col : {Data, Quotazione, Guadagno, Totale})
        EXPECT_EQ(f.table.colorCell(col, 1), caption);
    for (int col = 0; col < kPortfolioColumns; ++col)
        EXPECT_EQ(f.table.effectiveFont(col, 1).color, clWhite);

    ASSERT_TRUE(f.table.selectCell(Quote, 2));
    EXPECT_EQ(f.table.colorCell(Nome, 1), f.table.color());
    EXPECT_EQ(f.table.colorCell(Data, 1), clLightCyan);
    EXPECT_EQ(f.table.colorCell(Quotazione, 1), clLightCyan);
    EXPECT_EQ(f.table.colorCell(Guadagno, 1), clLightGreen);
    EXPECT_EQ(f.table.colorCell(Totale, 1), clLightYellow);
    // The left row: negative numbers red again, everything else the normal colour
    // (a date that does not convert included).
    for (int col = 0; col < kPortfolioColumns; ++col) {
        SCOPED_TRACE(col);
        const bool negative = col == Var || col == Guadagno;
        EXPECT_EQ(f.table.effectiveFont(col, 1).color, negative ? clRed : clBlack);
    }
    EXPECT_EQ(f.table.colorCell(Totale, 2), caption);
    EXPECT_EQ(f.table.effectiveFont(Totale, 2).color, clWhite);
}

TEST(StringGridPortafoglioSelectCell, takesTheSavedColoursOnlyOnceAndNeverRefuses)
{
    PortfolioFixture f;
    f.hold({{"", "P", "PERS", "1"}, {"", "P", "PERS", "1"}});
    bool canSelect = false;
    f.portfolio.StringGridPortafoglioSelectCell(&f.table, 0, 1, canSelect);
    EXPECT_TRUE(canSelect);
    f.table.setColorCol(Totale, clRed); // a later column colour is not taken
    f.portfolio.StringGridPortafoglioSelectCell(&f.table, 0, 2, canSelect);
    EXPECT_EQ(f.portfolio.savedColumnColours().totale, clLightYellow);
}

// --- editing ----------------------------------------------------------------------

struct EditCase
{
    int col;
    const char* typed;
    const char* stored;
};

TEST(StringGridPortafoglioAfterEdit, fixesNumberNotationAndKeepsNumberColumnsNumeric)
{
    const EditCase cases[] = {
        {Quote, "12.5", "12,5"},
        {Quote, "1.234,5", "1234,5"},
        {Quote, "abc", "0"},
        {Quote, "", "0"},
        {Quote, " 7 ", " 7 "},
        {Quotazione, "3.5", "3,5"},
        {Acquisto, "12.5", "        12,5000"},
        {Acquisto, "abc", "0"},
        {Data, "1.5", "1.5"},
        {Nome, "a.b", "a.b"},
        {DataAcq, "01.02.2005", "01.02.2005"},
    };
    for (const EditCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.col << " " << c.typed);
        PortfolioFixture f;
        f.portfolio.connectTableEvents();
        f.portfolio.SpeedButtonTitoloPersonaleClick();
        ASSERT_TRUE(f.table.endEdit(c.col, 1, c.typed));
        EXPECT_EQ(f.cell(c.col, 1), c.stored);
    }
}

TEST(StringGridPortafoglioAfterEdit, revaluesAfterTheEdit)
{
    PortfolioFixture f;
    f.portfolio.connectTableEvents();
    f.portfolio.SpeedButtonTitoloPersonaleClick();
    f.table.endEdit(Quotazione, 1, "2.5");
    f.table.endEdit(Quote, 1, "4");
    EXPECT_EQ(f.cell(Totale, 1), "        10,0000");
    EXPECT_EQ(f.totalCaption.text(), "Totale Portafoglio: Eu 10,0000 = L.19.363");
}

TEST(StringGridPortafoglioAfterEdit, undoesEditsOfTheFreeRow)
{
    PortfolioFixture f;
    f.portfolio.connectTableEvents();
    f.hold({{"ENI.MI", "ENI", "TA", "1"}, {"", "", "", ""}});
    for (const int col : {Quote, Acquisto, DataAcq}) {
        ASSERT_TRUE(f.table.endEdit(col, 2, "12"));
        EXPECT_EQ(f.cell(col, 2), "");
    }
    ASSERT_TRUE(f.table.endEdit(Quote, 1, "12"));
    EXPECT_EQ(f.cell(Quote, 1), "12");
}

// --- personal rows ----------------------------------------------------------------

TEST(SpeedButtonTitoloPersonaleClick, fillsTheFreeRowThenAppends)
{
    PortfolioFixture f;
    f.portfolio.SpeedButtonTitoloPersonaleClick();
    f.portfolio.SpeedButtonTitoloPersonaleClick();
    ASSERT_EQ(f.table.rowCount(), 3);
    for (int row = 1; row <= 2; ++row) {
        EXPECT_EQ(f.cell(Codice, row), "");
        EXPECT_EQ(f.cell(Nome, row), "PERSONALE");
        EXPECT_EQ(f.cell(Tipo, row), "PERS");
        EXPECT_EQ(f.cell(Quote, row), "1");
        for (int col = 0; col < kPortfolioColumns; ++col) {
            const bool editable = col == Nome || col == Quote || col == Data || col == Quotazione ||
                                  col == Acquisto || col == DataAcq;
            EXPECT_EQ(f.table.editCell(col, row), editable) << col;
        }
    }
}

TEST(SpeedButtonTitoloPersonaleClick, clearsWhatAFreeRowStillHeld)
{
    PortfolioFixture f;
    f.hold({{"", "", "", "", "5", "6"}});
    f.table.setCell(Totale, 1, "x");
    f.portfolio.SpeedButtonTitoloPersonaleClick();
    EXPECT_EQ(f.table.rowCount(), 2);
    for (int col = Data; col < kPortfolioColumns; ++col)
        EXPECT_EQ(f.cell(col, 1), "");
}

TEST(MarkPersonalRowsEditable, givesLoadedPersonalRowsTheirEditableCells)
{
    PortfolioFixture f;
    f.hold({{"ENI.MI", "ENI", "TA", "1"}, {"", "PERSONALE", "PERS", "1"}});
    f.portfolio.MarkPersonalRowsEditable();
    for (const int col : {Nome, Data, Quotazione}) {
        EXPECT_FALSE(f.table.editCell(col, 1));
        EXPECT_TRUE(f.table.editCell(col, 2));
    }
    EXPECT_TRUE(f.table.editCell(Acquisto, 1));
    EXPECT_FALSE(f.table.editCell(Codice, 2));
}

// --- adding from a category table -------------------------------------------------

TEST(Aggiungialportafoglio1Click, addsTheFocusedTablesCurrentSecurity)
{
    PortfolioFixture f;
    f.portfolio.connectTableEvents();
    f.portfolio.setActiveCaptionColour(clBlue);
    fillCategoryTable(f.funds, {{"F1", "Fondo uno", "5,5", "13/06"}, {"F2", "Fondo due", "7,25", "12/06"}});
    f.hold({{"", "PERSONALE", "PERS", "1"}});
    f.funds.setFocused(true);
    f.funds.setCurrentRow(2);
    int pageShown = 0;

    ASSERT_TRUE(f.portfolio.Aggiungialportafoglio1Click([&] { ++pageShown; }));

    ASSERT_EQ(f.table.rowCount(), 3);
    EXPECT_EQ(f.cell(Codice, 2), "F2");
    EXPECT_EQ(f.cell(Nome, 2), "Fondo due");
    EXPECT_EQ(f.cell(Tipo, 2), "F");
    EXPECT_EQ(f.cell(Quotazione, 2), "7,25"); // revalued
    EXPECT_EQ(pageShown, 1);
    EXPECT_EQ(f.table.currentRow(), 2);
    EXPECT_EQ(f.table.colorCell(Totale, 2), clBlue);
    EXPECT_TRUE(f.table.editCell(Acquisto, 2));
    EXPECT_FALSE(f.table.editCell(Quotazione, 2));
}

TEST(Aggiungialportafoglio1Click, doesNothingWithoutAFocusedSecurity)
{
    PortfolioFixture f;
    fillCategoryTable(f.shares, {{"ENI.MI", "ENI", "12,4", "15/06"}});
    int pageShown = 0;
    const auto show = [&] { ++pageShown; };
    EXPECT_FALSE(f.portfolio.Aggiungialportafoglio1Click(show)); // no table has the focus

    fillCategoryTable(f.bonds, {}); // one empty data row, as the table starts
    f.bonds.setRowCount(2);
    f.bonds.setFocused(true);
    EXPECT_FALSE(f.portfolio.Aggiungialportafoglio1Click(show));
    EXPECT_EQ(pageShown, 0);
    EXPECT_EQ(f.table.rowCount(), 2);
    EXPECT_EQ(f.cell(Tipo, 1), "");
}

} // namespace
} // namespace listorix::test
