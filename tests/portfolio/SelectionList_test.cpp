#include "PortfolioTestSupport.h"
#include "portfolio/PortfolioCommands.h"
#include "portfolio/SelectionList.h"

#include <gtest/gtest.h>

namespace listorix::test {
namespace {

using namespace PortfolioColumn;
using Item = SelectionList::Item;

struct Dialog : PortfolioFixture
{
    SelectionList list{portfolio};

    Dialog()
    {
        fillCategoryTable(shares, {{"ENI.MI", "ENI", "12,4", "15/06"},
                                   {"", "no code", "1", "15/06"},
                                   {"TIT.MI", "TELECOM ITALIA", "2,5", "15/06"}});
        fillCategoryTable(funds, {{"F1", "Fondo uno", "5,5", "13/06"}});
    }

    // Chooses the category and toggles the item whose text starts with the code.
    void toggle(int category, std::string_view code)
    {
        list.setComboIndex(category);
        list.ComboBoxTipoChange();
        for (std::size_t i = 0; i < list.items().size(); ++i) {
            if (list.items()[i].text.starts_with(code)) {
                list.toggle(static_cast<int>(i));
                return;
            }
        }
        FAIL() << "no item for " << code;
    }
};

TEST(ComboBoxTipoChange, listsTheCategorysCodesCheckedWhenHeld)
{
    Dialog d;
    d.hold({{"tit.mi", "TELECOM", "TA", "1"}, {"F1", "Fondo uno", "F", "1"}});
    d.list.setComboIndex(0);
    d.list.ComboBoxTipoChange();
    EXPECT_EQ(d.list.items(),
              (std::vector<Item>{{"ENI.MI - ENI", false}, {"TIT.MI - TELECOM ITALIA", true}}));

    d.list.setComboIndex(3);
    d.list.ComboBoxTipoChange();
    EXPECT_EQ(d.list.items(), (std::vector<Item>{{"F1 - Fondo uno", true}}));

    d.list.setComboIndex(1); // a category whose table holds no security yet
    d.list.ComboBoxTipoChange();
    EXPECT_TRUE(d.list.items().empty());

    d.list.setComboIndex(-1);
    d.list.ComboBoxTipoChange();
    EXPECT_TRUE(d.list.items().empty());
}

TEST(CheckListBoxNomiClickCheck, checkingFillsTheFreeRowWithTheCategorysType)
{
    Dialog d;
    d.toggle(0, "TIT.MI");
    ASSERT_EQ(d.table.rowCount(), 2);
    EXPECT_EQ(d.cell(Codice, 1), "TIT.MI");
    EXPECT_EQ(d.cell(Nome, 1), "TELECOM ITALIA");
    EXPECT_EQ(d.cell(Tipo, 1), "TA");
    EXPECT_EQ(d.cell(Totale, 1), ""); // no revaluation while the dialog is open
    d.toggle(3, "F1");
    ASSERT_EQ(d.table.rowCount(), 3);
    EXPECT_EQ(d.cell(Tipo, 2), "F");
}

TEST(CheckListBoxNomiClickCheck, checkingAfterAPersonalRowAppends)
{
    Dialog d;
    d.portfolio.SpeedButtonTitoloPersonaleClick();
    d.toggle(0, "ENI.MI");
    ASSERT_EQ(d.table.rowCount(), 3);
    EXPECT_EQ(d.cell(Tipo, 1), "PERS");
    EXPECT_EQ(d.cell(Nome, 1), "PERSONALE");
    EXPECT_EQ(d.cell(Codice, 2), "ENI.MI");
}

TEST(CheckListBoxNomiClickCheck, uncheckingRemovesEveryRowOfTheSecurity)
{
    Dialog d;
    d.hold({{"eni.mi", "ENI", "TA", "1"},
            {"", "PERSONALE", "PERS", "1"},
            {"ENI.MI", "ENI", "TA", "2"},
            {"TIT.MI", "TELECOM", "TA", "1"},
            {"ENI.MI", "ENI", "TA", "3"}});
    d.portfolio.MarkPersonalRowsEditable();
    d.toggle(0, "ENI.MI");
    EXPECT_EQ(d.column(Nome), (std::vector<std::string>{"PERSONALE", "TELECOM"}));
    // The personal row took its editable cells along when it moved up.
    EXPECT_TRUE(d.table.editCell(Quotazione, 1));
    EXPECT_FALSE(d.table.editCell(Quotazione, 2));
}

TEST(CheckListBoxNomiClickCheck, uncheckingTheOnlyDataRowEmptiesIt)
{
    Dialog d;
    d.hold({{"ENI.MI", "ENI", "TA", "1"}});
    d.portfolio.RevaluePortfolio();
    d.toggle(0, "ENI.MI");
    ASSERT_EQ(d.table.rowCount(), 2);
    for (int col = 0; col < kPortfolioColumns; ++col) {
        EXPECT_EQ(d.cell(col, 1), "");
        EXPECT_EQ(d.table.hintCell(col, 1), "");
    }
}

TEST(CheckListBoxNomiClickCheck, addingAfterDeletingTheOnlyRowMakesItsCellsEditableAgain)
{
    Dialog d;
    d.hold({{"ENI.MI", "ENI", "TA", "1"}});
    ASSERT_TRUE(Cancella1Click(d.table, [](const std::string&) { return true; }));
    d.toggle(0, "TIT.MI");
    for (int col = 0; col < kPortfolioColumns; ++col)
        EXPECT_EQ(d.table.editCell(col, 1), col == Quote || col == Acquisto || col == DataAcq) << col;
}

TEST(ShowPortfolioDialog, opensOnSharesAndRevaluesOnceWhenClosed)
{
    Dialog d;
    d.hold({{"ENI.MI", "ENI", "TA", "100", "", "10"}});
    d.list.setComboIndex(3);
    bool shown = false;
    d.list.ShowPortfolioDialog([&] {
        shown = true;
        EXPECT_EQ(d.list.comboIndex(), 0);
        EXPECT_EQ(d.list.items().size(), 2u);
        EXPECT_EQ(d.totalCaption.text(), "");
    });
    EXPECT_TRUE(shown);
    EXPECT_EQ(d.totalCaption.text(), "Totale Portafoglio: Eu 1.240,0000 = L.2.400.975");
}

} // namespace
} // namespace listorix::test
