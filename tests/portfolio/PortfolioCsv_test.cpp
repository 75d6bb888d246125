#include "AnsweringFileNames.h"
#include "AnsweringPrompts.h"
#include "PortfolioTestSupport.h"
#include "SettingsTestSupport.h"
#include "base/AtomicFile.h"
#include "portfolio/FileNamePrompt.h"
#include "portfolio/PortfolioCsv.h"
#include "portfolio/PortfolioCsvCommands.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace listorix {
namespace {

using namespace PortfolioColumn;
using test::AnsweringPrompts;
using test::PortfolioFixture;
using test::ScratchDir;

const std::string kBom = "\xEF\xBB\xBF";
const std::string kHeader = "Codice;Nome;Tipo;Quote;Quotazione;Acquisto;Data Acq.\r\n";

// Quote tables with a security of each kind, as a download leaves them.
void fillTables(PortfolioFixture& p)
{
    test::fillCategoryTable(p.shares,
                            {{"ENI.MI", "ENI", "14,250", "14/05"}, {"G.MI", "Generali", "20,5", "14/05"}});
    test::fillCategoryTable(p.bonds, {{"IT0001.MOT", "BTP 2030", "101,5", "14/05"}});
    test::fillCategoryTable(p.funds, {{"LU0001.MI", "Fondo Pi\xF9", "5,125", "13/05"}});
}

std::vector<std::vector<std::string>> storedColumns(const PortfolioFixture& p)
{
    std::vector<std::vector<std::string>> rows;
    for (int row = 1; row < p.table.rowCount(); ++row) {
        std::vector<std::string> cells;
        for (int col = 0; col < kPortfolioStoredColumns; ++col)
            cells.push_back(p.cell(col, row));
        rows.push_back(cells);
    }
    return rows;
}

TEST(PortfolioCsv, exportThenImportIntoAnEmptyPortfolioGivesTheSamePortfolioAndTotals)
{
    PortfolioFixture source;
    fillTables(source);
    source.hold({{"ENI.MI", "ENI", "TA", "100", "", "10"},
                 {"IT0001.MOT", "BTP; \"2030\"", "TO", "1000", "", "1234,5"},
                 {"", "Casa \xE0 Roma", "PERS", "1", "150000,25", "120000"},
                 {"LU0001.MI", "Fondo Pi\xF9", "F", "2,5"}});
    source.table.setCell(DataAcq, 1, "1/2/2003");
    source.table.setCell(DataAcq, 3, "31/12/1999");
    source.portfolio.RevaluePortfolio();

    const std::string bytes = portfolioCsvBytes(source.table);
    EXPECT_EQ(bytes, kBom + kHeader +
                         "ENI.MI;ENI;TA;100;;10;01/02/2003\r\n"
                         "IT0001.MOT;\"BTP; \"\"2030\"\"\";TO;1000;;1234,5;\r\n"
                         ";Casa \xC3\xA0 Roma;PERS;1;150000,25;120000;31/12/1999\r\n"
                         "LU0001.MI;Fondo Pi\xC3\xB9;F;2,5;;;\r\n");

    PortfolioFixture target;
    fillTables(target);
    const PortfolioCsvFile file = readPortfolioCsv(bytes);
    EXPECT_TRUE(file.badLines.empty());
    importPortfolioRows(target.portfolio, file.rows);
    target.portfolio.RevaluePortfolio();
    source.table.setCell(DataAcq, 1, "01/02/2003"); // the file writes dates in full
    EXPECT_EQ(storedColumns(target), storedColumns(source));
    EXPECT_EQ(target.totalCaption.text(), source.totalCaption.text());
    EXPECT_EQ(target.gainCaption.text(), source.gainCaption.text());
    // The personal row can be priced by hand again; the others cannot.
    EXPECT_TRUE(target.table.editCell(Quotazione, 3));
    EXPECT_FALSE(target.table.editCell(Quotazione, 1));
}

TEST(PortfolioCsv, readsASpreadsheetsFileAndReportsEveryBadLineByItsNumber)
{
    // As an Italian spreadsheet saves it: a byte-order mark, CR LF, quoted texts,
    // grouped numbers, empty columns after the last one and empty rows.
    const std::string file =
        kBom + "\"Codice\";\"Nome\";\"Tipo\";\"Quote\";\"Quotazione\";\"Acquisto\";\"Data Acq.\";;\r\n"
               "\"ENI.MI\";\"ENI\";\"ta\";\"1.000\";;\"12,40\";\"1/2/2003\";;\r\n"
               ";;;;;;;;\r\n"
               "\"G.MI\";\"Nome su\r\ndue righe\";TA;1;;;\r\n"
               "X.MI;X;XX;1;;;\r\n"                     // line 6
               ";Senza codice;TA;1;;;\r\n"              // 7
               "Y.MI;Y;TA;12.5;;;\r\n"                  // 8: a point is no decimal here
               "Y.MI;Y;TA;1;;1.23,4;\r\n"               // 9
               ";P;PERS;1;abc;;\r\n"                    // 10
               "Y.MI;Y;TA;1;;;2003-02-01\r\n"           // 11
               "Y.MI;Y;TA;1;;;31/02/2003\r\n"           // 12
               "Y.MI;Y;TA;1;;\r\n"                      // 13
               "Y.MI;Y;TA;1;;;;x\r\n"                   // 14
               ";Personale;pers;-2;1.234.567,5;+3;\r\n" // 15
               "\r\n";
    const PortfolioCsvFile read = readPortfolioCsv(file);
    EXPECT_EQ(read.rows, (std::vector<PortfolioCsvRow>{
                             {"ENI.MI", "ENI", "TA", "1000", "", "12,4", "01/02/2003"},
                             {"G.MI", "Nome su\r\ndue righe", "TA", "1", "", "", ""},
                             {"", "Personale", "PERS", "-2", "1234567,5", "3", ""},
                         }));
    EXPECT_EQ(read.badLines, (std::vector<PortfolioCsvBadLine>{
                                 {6, "tipo \"XX\" sconosciuto (TA, TO, TD, F o PERS)"},
                                 {7, "codice mancante"},
                                 {8, "\"Quote\": \"12.5\" non \xE8 un numero"},
                                 {9, "\"Acquisto\": \"1.23,4\" non \xE8 un numero"},
                                 {10, "\"Quotazione\": \"abc\" non \xE8 un numero"},
                                 {11, "\"Data Acq.\": \"2003-02-01\" non \xE8 una data GG/MM/AAAA"},
                                 {12, "\"Data Acq.\": \"31/02/2003\" non \xE8 una data GG/MM/AAAA"},
                                 {13, "7 campi attesi, 6 trovati"},
                                 {14, "7 campi attesi, 8 trovati"},
                             }));

    // Without a mark, and not UTF-8: the program's own code page; lone LFs.
    const PortfolioCsvFile old = readPortfolioCsv(kHeader + ";Pi\xF9;PERS;1;;;\n;Caff\xE8;PERS;2;;;");
    EXPECT_TRUE(old.badLines.empty());
    ASSERT_EQ(old.rows.size(), 2u);
    EXPECT_EQ(old.rows[0].name, "Pi\xF9");
    EXPECT_EQ(old.rows[1].name, "Caff\xE8");

    // A file without its header says so on line 1 and keeps its good lines.
    const PortfolioCsvFile headless = readPortfolioCsv("ENI.MI;ENI;TA;1;;;\r\nG.MI;G;TA;1;;;\r\n");
    EXPECT_EQ(headless.badLines,
              (std::vector<PortfolioCsvBadLine>{
                  {1, "intestazione attesa: Codice;Nome;Tipo;Quote;Quotazione;Acquisto;Data Acq."}}));
    EXPECT_EQ(headless.rows.size(), 1u);

    for (const std::string& empty : {std::string(), kBom, kBom + kHeader, kHeader + "\r\n;;;;;;\r\n"}) {
        const PortfolioCsvFile nothing = readPortfolioCsv(empty);
        EXPECT_TRUE(nothing.rows.empty()) << empty;
        EXPECT_TRUE(nothing.badLines.empty()) << empty;
    }
}

TEST(PortfolioCsv, importedRowsReferToTheTableTheirCodeStandsIn)
{
    PortfolioFixture p;
    fillTables(p);
    importPortfolioRows(p.portfolio,
                        {
                            {"eni.mi", "ENI", "TA", "10", "", "", ""},
                            {"LU0001.MI", "Fondo", "TA", "1", "", "", ""}, // stands among the funds
                            {"GONE.MI", "Gone", "TD", "5", "3,5", "", ""}, // in no table
                            {"G.MI", "Mine", "PERS", "1", "2", "", ""},    // personal stays personal
                        });
    EXPECT_EQ(p.column(Tipo), (std::vector<std::string>{"TA", "F", "PERS", "PERS"}));
    EXPECT_EQ(p.column(Codice), (std::vector<std::string>{"eni.mi", "LU0001.MI", "GONE.MI", "G.MI"}));
    EXPECT_EQ(p.column(Quote), (std::vector<std::string>{"10", "1", "5", "1"}));
    p.portfolio.RevaluePortfolio();
    EXPECT_EQ(p.column(Quotazione), (std::vector<std::string>{"14,250", "5,125", "3,5", "2"}));
    EXPECT_TRUE(p.table.editCell(Quotazione, 3));
}

using test::AnsweringFileNames;

TEST(PortfolioCsvCommands, importTellsTheBadLinesThenAsksAndChangesNothingUnlessConfirmed)
{
    ScratchDir dir;
    dir.write("in.csv",
              kHeader +
                  "ENI.MI;ENI;TA;10;;;\r\nX;X;XX;1;;;\r\nG.MI;Generali;TA;abc;;;\r\n;Casa;PERS;1;5;;\r\n");
    const std::string path = dir.file("in.csv").string();
    PortfolioFixture p;
    fillTables(p);
    p.hold({{"", "Mio", "PERS", "1", "7"}});
    int saves = 0;
    AnsweringPrompts prompts;
    AnsweringFileNames files;
    files.answer = dir.file("in.csv");

    prompts.answers = {false};
    EXPECT_FALSE(importPortfolioCsvAsked(p.portfolio, files, prompts, [&] { ++saves; }));
    EXPECT_EQ(files.asked, std::vector<std::string>{"Importa portafoglio (CSV)"});
    EXPECT_EQ(prompts.shown, (std::vector<std::string>{
                                 "warning: Righe non valide nel file " + path +
                                     ":\rriga 3: tipo \"XX\" sconosciuto (TA, TO, TD, F o PERS)"
                                     "\rriga 4: \"Quote\": \"abc\" non \xE8 un numero",
                                 "question: Confermi l'importazione di 2 righe?",
                             }));
    EXPECT_EQ(p.column(Nome), std::vector<std::string>{"Mio"});
    EXPECT_EQ(saves, 0);

    prompts.shown.clear();
    prompts.answers = {true};
    EXPECT_TRUE(importPortfolioCsv(p.portfolio, dir.file("in.csv"), prompts, [&] {
        ++saves;
        throw FileWriteError("LISTORIX.INI", "read-only");
    }));
    EXPECT_EQ(p.column(Nome), (std::vector<std::string>{"Mio", "ENI", "Casa"}));
    EXPECT_EQ(p.cell(Quotazione, 2), "14,250"); // revalued
    EXPECT_EQ(saves, 1);
    EXPECT_EQ(prompts.shown.back(), "warning: Unable to write to LISTORIX.INI");

    // A file that is not there, one without rows, a cancelled dialog.
    prompts.shown.clear();
    dir.write("empty.csv", kBom);
    EXPECT_FALSE(importPortfolioCsv(p.portfolio, dir.file("missing.csv"), prompts, {}));
    EXPECT_FALSE(importPortfolioCsv(p.portfolio, dir.file("empty.csv"), prompts, {}));
    files.answer.reset();
    EXPECT_FALSE(importPortfolioCsvAsked(p.portfolio, files, prompts, {}));
    EXPECT_EQ(prompts.shown, (std::vector<std::string>{"warning: Impossibile leggere il file " +
                                                           dir.file("missing.csv").string() + ".",
                                                       "message: Il file " + dir.file("empty.csv").string() +
                                                           " non contiene righe del portafoglio."}));
}

TEST(PortfolioCsvCommands, exportWritesTheChosenFileOrTellsWhyNot)
{
    ScratchDir dir;
    PortfolioFixture p;
    p.hold({{"", "Casa", "PERS", "1", "5"}});
    AnsweringPrompts prompts;
    AnsweringFileNames files;
    files.answer = dir.file("out.csv");
    EXPECT_TRUE(exportPortfolioCsvAsked(p.table, files, prompts));
    EXPECT_EQ(files.asked, std::vector<std::string>{"Esporta portafoglio (CSV) [portafoglio.csv]"});
    EXPECT_EQ(test::readBytes(dir.file("out.csv")), kBom + kHeader + ";Casa;PERS;1;5;;\r\n");

    const std::filesystem::path nowhere = dir.file("no-such-folder") / "out.csv";
    EXPECT_FALSE(exportPortfolioCsv(p.table, nowhere, prompts));
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0], "warning: Unable to write to " + nowhere.string());
    EXPECT_TRUE(prompts.answers.empty());
}

} // namespace
} // namespace listorix
