#include "AnsweringPrompts.h"
#include "PortfolioTestSupport.h"
#include "SettingsTestSupport.h"
#include "alerts/AlertBook.h"
#include "alerts/gui/AlertDialog.h"
#include "alerts/gui/AlertListDialog.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace listorix {
namespace {

using test::AnsweringPrompts;
using test::PortfolioFixture;

// The two dialogs over a scratch settings file and the five tables.
struct AlertsFixture
{
    test::ScratchDir dir;
    PortfolioFixture p;
    AlertBook book{dir.file("LISTORIX.INI")};
    AnsweringPrompts prompts;
    AlertDialog editor{book, p.portfolio.categories(), prompts};
    AlertListDialog list{book, editor, p.portfolio.categories(), prompts};

    AlertsFixture()
    {
        dir.write("LISTORIX.INI", "[Portafoglio]\r\n1=ENI.MI;ENI;TA;100\r\n");
        test::fillCategoryTable(p.shares,
                                {{"ENI.MI", "ENI", "14,250", "14/05"}, {"FIAT.MI", "FIAT", "7,1", "14/05"}});
        test::fillCategoryTable(p.funds, {{"LU0001.MI", "Fondo", "5,1", "13/05"}});
        p.hold({{"eni.mi", "ENI", "TA", "100"}, {"", "PERSONALE", "PERS", "1", "5"}});
    }

    template <typename T>
    T* in(QWidget& dialog, const char* name)
    {
        auto* found = dialog.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    void type(QWidget& dialog, const char* field, const QString& text)
    {
        QLineEdit* edit = in<QLineEdit>(dialog, field);
        edit->clear();
        QTest::keyClicks(edit, text);
    }
    void click(QWidget& dialog, const char* button)
    {
        QTest::mouseClick(in<QPushButton>(dialog, button), Qt::LeftButton);
    }
    // Runs `user` once the next modal dialog is up.
    static void whenShown(const std::function<void()>& user)
    {
        QTimer::singleShot(0, [user] {
            ASSERT_TRUE(QTest::qWaitFor([] { return QApplication::activeModalWidget() != nullptr; }));
            user();
        });
    }
};

TEST(AlertDialog, storesTheAlertOfTheSelectedRowAndRefusesInputItCannotUse)
{
    AlertsFixture f;
    bool refusedStaysOpen = false;
    AlertsFixture::whenShown([&] {
        EXPECT_EQ(f.in<QLabel>(f.editor, "LabelTitolo")->text(), QStringLiteral("ENI.MI - ENI"));
        EXPECT_EQ(f.in<QLabel>(f.editor, "LabelQuotazione")->text(),
                  QStringLiteral("Quotazione attuale: 14,250"));
        EXPECT_TRUE(f.in<QLineEdit>(f.editor, "EditVariazione")->isEnabled());
        f.type(f.editor, "EditSopra", QStringLiteral("abc"));
        f.click(f.editor, "ButtonOK");
        refusedStaysOpen = f.editor.isVisible() && f.book.alerts().empty();
        f.type(f.editor, "EditSopra", QStringLiteral("14.2"));
        f.type(f.editor, "EditVariazione", QStringLiteral("3%"));
        f.click(f.editor, "ButtonOK");
    });
    // The portfolio's row refers to the shares table.
    EXPECT_TRUE(f.editor.editAlertOfRow(f.p.table, 1));
    EXPECT_TRUE(refusedStaysOpen);
    EXPECT_EQ(f.prompts.shown, std::vector<std::string>{
                                   "warning: \"Prezzo pari o superiore a\": \"abc\" non \xE8 un numero."});
    EXPECT_EQ(test::readBytes(f.dir.file("LISTORIX.INI")),
              "[Portafoglio]\r\n1=ENI.MI;ENI;TA;100\r\n[Avvisi]\r\n1=TA;ENI.MI;14,2;;3;A-A;ENI\r\n");

    // Opened again it shows the alert; "Annulla" leaves it as it was.
    QString shown;
    AlertsFixture::whenShown([&] {
        shown = f.in<QLineEdit>(f.editor, "EditSopra")->text() + "|" +
                f.in<QLineEdit>(f.editor, "EditVariazione")->text();
        f.type(f.editor, "EditSopra", QStringLiteral("99"));
        f.click(f.editor, "ButtonAnnulla");
    });
    EXPECT_FALSE(f.editor.editAlertOfRow(f.p.shares, 1));
    EXPECT_EQ(shown, QStringLiteral("14,2|3"));
    EXPECT_EQ(f.book.alerts().at(0).rule(AlertCondition::AtOrAbove).level, 14.2);
}

TEST(AlertDialog, aFundHasNoChangeAndAPersonalRowNoAlert)
{
    AlertsFixture f;
    bool changeEnabled = true;
    AlertsFixture::whenShown([&] {
        changeEnabled = f.in<QLineEdit>(f.editor, "EditVariazione")->isEnabled();
        f.type(f.editor, "EditSotto", QStringLiteral("5"));
        f.click(f.editor, "ButtonOK");
    });
    EXPECT_TRUE(f.editor.editAlertOfRow(f.p.funds, 1));
    EXPECT_FALSE(changeEnabled);
    ASSERT_NE(f.book.find(ConnectionId::Fondi, "LU0001.MI"), nullptr);

    // No dialog for a personal row or the header: a warning says why.
    EXPECT_FALSE(f.editor.editAlertOfRow(f.p.table, 2));
    EXPECT_FALSE(f.editor.editAlertOfRow(f.p.shares, 0));
    EXPECT_EQ(f.prompts.shown, (std::vector<std::string>{"warning: " + std::string(kPersonalRowText),
                                                         "warning: " + std::string(kNoSecurityRowText)}));
    EXPECT_FALSE(f.editor.isVisible());
}

TEST(AlertListDialog, showsEveryAlertWithItsStateAndChangesOrDeletesIt)
{
    AlertsFixture f;
    PriceAlert eni;
    eni.code = "ENI.MI";
    eni.name = "ENI";
    eni.rule(AlertCondition::AtOrAbove).level = 14;
    f.book.store(eni);
    PriceAlert fiat = eni;
    fiat.code = "FIAT.MI";
    fiat.name = "FIAT";
    fiat.rule(AlertCondition::AtOrAbove).level.reset();
    fiat.rule(AlertCondition::ChangeBeyond).level = 2.5;
    f.book.store(fiat);
    f.book.checkTable(ConnectionId::Azioni, f.p.shares); // ENI at 14,250 fires

    std::vector<QStringList> seen;
    const auto look = [&] {
        QTableWidget* grid = f.in<QTableWidget>(f.list, "GridAvvisi");
        QStringList rows;
        for (int row = 0; row < grid->rowCount(); ++row) {
            QStringList cells;
            for (int col = 0; col < grid->columnCount(); ++col)
                cells << grid->item(row, col)->text();
            rows << cells.join(" | ");
        }
        seen.push_back(rows);
    };
    f.prompts.answers = {false, true};
    AlertsFixture::whenShown([&] {
        look();
        QTableWidget* grid = f.in<QTableWidget>(f.list, "GridAvvisi");
        grid->selectRow(1);
        f.click(f.list, "ButtonCancella"); // answered No
        f.click(f.list, "ButtonCancella"); // answered Yes
        look();
        // Changing ENI's alert in the alert dialog, over the list.
        AlertsFixture::whenShown([&] {
            f.type(f.editor, "EditSotto", QStringLiteral("12"));
            f.click(f.editor, "ButtonOK");
        });
        f.click(f.list, "ButtonModifica");
        look();
        f.click(f.list, "ButtonChiudi");
    });
    f.list.showAlerts();

    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0],
              (QStringList{"ENI.MI | ENI | Titoli azionari | >= 14 | scattato: >= 14",
                           QString::fromUtf8("FIAT.MI | FIAT | Titoli azionari | var.% ±2,5 | armato")}));
    EXPECT_EQ(seen[1], QStringList{"ENI.MI | ENI | Titoli azionari | >= 14 | scattato: >= 14"});
    EXPECT_EQ(seen[2], QStringList{"ENI.MI | ENI | Titoli azionari | >= 14; <= 12 | scattato: >= 14"});
    EXPECT_EQ(f.prompts.shown,
              (std::vector<std::string>{"question: Confermi la cancellazione dell'avviso su FIAT.MI?",
                                        "question: Confermi la cancellazione dell'avviso su FIAT.MI?"}));
    EXPECT_EQ(f.book.find(ConnectionId::Azioni, "FIAT.MI"), nullptr);
}

} // namespace
} // namespace listorix
