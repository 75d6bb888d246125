#include "SettingsTestSupport.h"
#include "alerts/AlertBook.h"
#include "alerts/AlertEntry.h"
#include "base/AtomicFile.h"
#include "grid/TAlignGrid.h"
#include "market/QuoteTables.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace listorix {
namespace {

using test::readBytes;
using test::ScratchDir;
using test::writeBytes;

// Sections of other writers, and an alerts section as a hand edit leaves it: an
// alert, a comment, a line without "=", a repeated key, a line of another form.
const std::string kOthers = "[PROXY]\r\nENABLED=N\r\n"
                            "[Portafoglio]\r\n1=ENI.MI;ENI;TA;100;14/05;12,4;10;01/02/2003\r\n";
const std::string kHandEdited = "[Avvisi]\r\n"
                                "1=TA;ENI.MI;14,2;;;A--;ENI\r\n"
                                "; prices watched\r\n"
                                "FIAT sotto 7\r\n"
                                "1=TA;FIAT.MI;;7;;-A-;FIAT\r\n"
                                "7=TA;FIAT.MI;7,5;8;;\r\n";
const std::string kAfter = "[Grids]\r\nFondi=64;111;64;64\r\n";

PriceAlert alertOn(ConnectionId category, std::string code, std::optional<double> above,
                   std::optional<double> below = {}, std::optional<double> change = {})
{
    PriceAlert alert;
    alert.category = category;
    alert.code = std::move(code);
    alert.rule(AlertCondition::AtOrAbove).level = above;
    alert.rule(AlertCondition::AtOrBelow).level = below;
    alert.rule(AlertCondition::ChangeBeyond).level = change;
    return alert;
}

// A shares table as a download leaves it: code, name, price and change per row.
struct Row
{
    const char* code;
    const char* price;
    const char* change;
};
void download(TAlignGrid& table, const std::vector<Row>& rows)
{
    table.setRowCount(static_cast<int>(rows.size()) + 1);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int row = static_cast<int>(i) + 1;
        table.setCell(QuoteColumn::Codice, row, rows[i].code);
        table.setCell(QuoteColumn::Nome, row, std::string("name of ") + rows[i].code);
        table.setCell(QuoteColumn::Flash, row, rows[i].price);
        if (table.colCount() > 9)
            table.setCell(9, row, rows[i].change);
    }
}

bool marked(const TAlignGrid& table, int row)
{
    const Font& font = table.effectiveFont(QuoteColumn::Flash, row);
    return font.bold && font.color == kAlertColour;
}

struct BookFixture
{
    ScratchDir dir;
    std::filesystem::path ini = dir.file("LISTORIX.INI");
    TAlignGrid shares;

    explicit BookFixture(const std::string& text = kOthers + kHandEdited + kAfter)
    {
        writeBytes(ini, text);
        setUpQuoteTable(shares, ConnectionId::Azioni);
    }
};

TEST(AlertBook, keepsTheLinesItCannotReadAndReportsThemOnce)
{
    BookFixture f;
    AlertBook book(f.ini);
    EXPECT_EQ(book.load(), (std::vector<std::string>{"FIAT sotto 7", "1=TA;FIAT.MI;;7;;-A-;FIAT",
                                                     "7=TA;FIAT.MI;7,5;8;;"}));
    ASSERT_EQ(book.alerts().size(), 1u);
    EXPECT_EQ(book.alerts()[0].code, "ENI.MI");
    EXPECT_TRUE(book.load().empty()); // told once
    EXPECT_EQ(unreadAlertLinesText({"FIAT sotto 7"}),
              "Avvisi: 1 riga del file delle impostazioni non letta, lasciata com'\xE8: \"FIAT sotto 7\"");

    // A new alert takes a key past every number in use; the change rewrites the
    // first alert's own line; nothing else of the file moves.
    PriceAlert fiat = alertOn(ConnectionId::Azioni, "FIAT.MI", 8);
    fiat.name = "FIAT";
    book.store(fiat);
    book.store(alertOn(ConnectionId::Azioni, "eni.mi", 15));
    EXPECT_EQ(readBytes(f.ini), kOthers +
                                    "[Avvisi]\r\n"
                                    "1=TA;eni.mi;15;;;A--;\r\n"
                                    "; prices watched\r\n"
                                    "FIAT sotto 7\r\n"
                                    "1=TA;FIAT.MI;;7;;-A-;FIAT\r\n"
                                    "7=TA;FIAT.MI;7,5;8;;\r\n"
                                    "8=TA;FIAT.MI;8;;;A--;FIAT\r\n" +
                                    kAfter);

    book.remove(ConnectionId::Azioni, "ENI.MI");
    EXPECT_EQ(book.find(ConnectionId::Azioni, "eni.mi"), nullptr);
    AlertBook restarted(f.ini);
    // The duplicate key's line is the key's now, as Windows reads the file.
    EXPECT_EQ(restarted.load(), (std::vector<std::string>{"FIAT sotto 7", "7=TA;FIAT.MI;7,5;8;;",
                                                          "8=TA;FIAT.MI;8;;;A--;FIAT"}));
    ASSERT_EQ(restarted.alerts().size(), 1u);
    EXPECT_EQ(restarted.alerts()[0].rule(AlertCondition::AtOrBelow).level, 7);
}

TEST(AlertBook, aSettingsFileThatCannotBeReadIsNeverWritten)
{
    BookFixture f;
    std::filesystem::remove(f.ini);
    std::filesystem::create_directory(f.ini); // there, but nothing to read
    AlertBook book(f.ini);
    EXPECT_TRUE(book.load().empty());
    EXPECT_THROW(book.store(alertOn(ConnectionId::Azioni, "ENI.MI", 14)), FileWriteError);
    EXPECT_TRUE(book.alerts().empty());
    EXPECT_TRUE(std::filesystem::is_directory(f.ini));
}

TEST(AlertBook, checkMarksTheFiredRowsUntilTheNextDownloadAndKeepsTheStateAcrossARestart)
{
    BookFixture f(kOthers);
    AlertBook book(f.ini);
    book.load();
    book.store(alertOn(ConnectionId::Azioni, "ENI.MI", 14.2));
    book.store(alertOn(ConnectionId::Azioni, "FIAT.MI", {}, {}, 3));
    book.store(alertOn(ConnectionId::Azioni, "GONE.MI", {}, 1));        // missing from the answer
    book.store(alertOn(ConnectionId::Obbligazioni, "ENI.MI", {}, 100)); // another table's

    download(f.shares, {{"FIAT.MI", "7,100", "-3,40"}, {"eni.mi", "14,250", "+1,10"}, {"ENEL.MI", "", ""}});
    AlertCheck check = book.checkTable(ConnectionId::Azioni, f.shares);
    EXPECT_EQ(check.fired,
              (std::vector<std::string>{"ENI.MI: 14,250 >= 14,200", "FIAT.MI: var.% -3,40 <= -3,00"}));
    EXPECT_EQ(check.error, "");
    EXPECT_TRUE(marked(f.shares, 1));
    EXPECT_TRUE(marked(f.shares, 2));
    EXPECT_FALSE(marked(f.shares, 3));
    // The change cell keeps its own colour; only the price is marked.
    EXPECT_FALSE(f.shares.effectiveFont(9, 1).bold);

    // The next download: still above, so nothing fires again, and the marks go.
    download(f.shares, {{"ENI.MI", "14,300", "+1,50"}, {"FIAT.MI", "7,000", "-4,00"}});
    check = book.checkTable(ConnectionId::Azioni, f.shares);
    EXPECT_TRUE(check.fired.empty());
    EXPECT_FALSE(marked(f.shares, 1));
    EXPECT_FALSE(marked(f.shares, 2));

    // A restart reads the fired states: the same prices fire nothing; once ENI
    // has been below its level, the next crossing fires again.
    AlertBook restarted(f.ini);
    EXPECT_TRUE(restarted.load().empty());
    EXPECT_TRUE(restarted.checkTable(ConnectionId::Azioni, f.shares).fired.empty());
    download(f.shares, {{"ENI.MI", "14,000", "+0,10"}, {"FIAT.MI", "7,000", "-4,00"}});
    EXPECT_TRUE(restarted.checkTable(ConnectionId::Azioni, f.shares).fired.empty());
    download(f.shares, {{"ENI.MI", "14,400", "+0,10"}, {"FIAT.MI", "7,000", "-4,00"}});
    EXPECT_EQ(restarted.checkTable(ConnectionId::Azioni, f.shares).fired,
              std::vector<std::string>{"ENI.MI: 14,400 >= 14,200"});
    EXPECT_EQ(restarted.find(ConnectionId::Obbligazioni, "ENI.MI")->rule(AlertCondition::AtOrBelow).state,
              AlertState::Armed);
}

TEST(AlertBook, aStateThatCouldNotBeSavedIsSavedWithTheNextCheck)
{
    BookFixture f(kOthers);
    AlertBook book(f.ini);
    book.load();
    book.store(alertOn(ConnectionId::Azioni, "ENI.MI", 14));
    const std::string stored = readBytes(f.ini);
    std::filesystem::rename(f.ini, f.dir.file("away"));
    std::filesystem::create_directory(f.ini);

    download(f.shares, {{"ENI.MI", "14,5", ""}});
    const AlertCheck check = book.checkTable(ConnectionId::Azioni, f.shares);
    EXPECT_EQ(check.fired, std::vector<std::string>{"ENI.MI: 14,5 >= 14,0"});
    EXPECT_EQ(check.error, "Unable to write to " + f.ini.string());

    std::filesystem::remove(f.ini);
    std::filesystem::rename(f.dir.file("away"), f.ini);
    EXPECT_EQ(book.checkTable(ConnectionId::Azioni, f.shares).error, "");
    AlertBook restarted(f.ini);
    restarted.load();
    EXPECT_EQ(restarted.alerts().at(0).rule(AlertCondition::AtOrAbove).state, AlertState::Fired);
}

TEST(AlertBook, changingAnAlertKeepsTheStateOfTheLevelsLeftAsTheyWere)
{
    BookFixture f(kOthers);
    AlertBook book(f.ini);
    book.store(alertOn(ConnectionId::Azioni, "ENI.MI", 14, 12));
    download(f.shares, {{"ENI.MI", "14,5", ""}});
    book.checkTable(ConnectionId::Azioni, f.shares);
    book.store(alertOn(ConnectionId::Azioni, "ENI.MI", 14, 13));
    const PriceAlert& alert = *book.find(ConnectionId::Azioni, "ENI.MI");
    EXPECT_EQ(alert.rule(AlertCondition::AtOrAbove).state, AlertState::Fired);
    EXPECT_EQ(alert.rule(AlertCondition::AtOrBelow).state, AlertState::Armed);
    book.store(alertOn(ConnectionId::Azioni, "ENI.MI", 14.1, 13));
    EXPECT_EQ(book.find(ConnectionId::Azioni, "ENI.MI")->rule(AlertCondition::AtOrAbove).state,
              AlertState::Armed);
}

} // namespace
} // namespace listorix
