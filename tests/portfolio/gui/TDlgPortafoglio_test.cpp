#include "PortfolioTestSupport.h"
#include "portfolio/SelectionList.h"
#include "portfolio/gui/TDlgPortafoglio.h"

#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace listorix {
namespace {

using test::PortfolioFixture;

struct DialogFixture
{
    PortfolioFixture p;
    SelectionList list{p.portfolio};
    TDlgPortafoglio dialog{list};

    DialogFixture()
    {
        test::fillCategoryTable(p.shares, {{"ENI.MI", "ENI", "12,4000", "14/05/2003"},
                                           {"FIAT.MI", "FIAT", "7,1000", "14/05/2003"}});
        test::fillCategoryTable(p.funds, {{"F1", "Fondo Pi\xF9", "5,0000", "13/05/2003"}});
        p.hold({{"fiat.mi", "FIAT", "TA", "10"}});
    }

    QComboBox* combo() { return dialog.findChild<QComboBox*>(QStringLiteral("ComboBoxTipo")); }
    QListWidget* names() { return dialog.findChild<QListWidget*>(QStringLiteral("CheckListBoxNomi")); }
    QStringList shownItems()
    {
        QStringList items;
        for (int i = 0; i < names()->count(); ++i)
            items << names()->item(i)->text() + (names()->item(i)->checkState() == Qt::Checked ? " [x]" : "");
        return items;
    }
    // Runs the dialog; `user` acts inside it, then the close button is pressed.
    void run(const std::function<void()>& user)
    {
        QTimer::singleShot(0, &dialog, [this, user] {
            user();
            QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("BitBtn1")), Qt::LeftButton);
        });
        dialog.ShowPortfolioDialog();
    }
};

TEST(TDlgPortafoglio, opensOnTheSharesWithThePortfolioChecked)
{
    DialogFixture f;
    QStringList seen;
    f.run([&] { seen = f.shownItems(); });
    EXPECT_EQ(f.dialog.windowTitle(), QStringLiteral("Portafoglio"));
    EXPECT_EQ(f.dialog.size(), QSize(256, 265));
    EXPECT_EQ(f.combo()->currentIndex(), 0);
    const QStringList categories = {"TITOLI AZIONARI", "TITOLI OBBLIGAZIONARI", "DERIVATI", "FONDI"};
    for (int i = 0; i < categories.size(); ++i)
        EXPECT_EQ(f.combo()->itemText(i), categories[i]);
    EXPECT_EQ(seen, (QStringList{"ENI.MI - ENI", "FIAT.MI - FIAT [x]"}));
}

TEST(TDlgPortafoglio, checkListDrivesThePortfolioWhichIsRevaluedOnClose)
{
    DialogFixture f;
    f.run([&] {
        f.names()->item(0)->setCheckState(Qt::Checked);   // ENI joins
        f.names()->item(1)->setCheckState(Qt::Unchecked); // FIAT's row goes
        // No revaluation while the dialog is open.
        EXPECT_EQ(f.p.totalCaption.text(), "");
        f.combo()->setCurrentIndex(3);
        emit f.combo()->activated(3);
        EXPECT_EQ(f.shownItems(), QStringList{QString::fromUtf8("F1 - Fondo Più")});
        f.names()->item(0)->setCheckState(Qt::Checked);
    });
    EXPECT_EQ(f.p.column(PortfolioColumn::Codice), (std::vector<std::string>{"ENI.MI", "F1"}));
    EXPECT_EQ(f.p.column(PortfolioColumn::Tipo), (std::vector<std::string>{"TA", "F"}));
    EXPECT_EQ(f.p.cell(PortfolioColumn::Nome, 2), "Fondo Pi\xF9");
    // Revalued once the dialog closed: the prices are in and the total is written.
    EXPECT_EQ(f.p.cell(PortfolioColumn::Quotazione, 1), "12,4000");
    EXPECT_NE(f.p.totalCaption.text(), "");
}

} // namespace
} // namespace listorix
