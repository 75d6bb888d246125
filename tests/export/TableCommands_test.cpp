#include "AnsweringPrompts.h"
#include "ScratchDir.h"
#include "WorkedExamplePortfolio.h"
#include "export/ReportTemplates.h"
#include "export/TableCommands.h"
#include "grid/TAlignGrid.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace listorix {
namespace {

using test::AnsweringPrompts;
using test::ScratchDir;

std::string readFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

const ReportTemplates kTemplates = BuildReportTemplates("file:///opt/listorix/web/index.html");

TEST(ReportCommand, pageWithoutTableWarnsAndLeavesTheReportAlone)
{
    ScratchDir dir;
    dir.write("report.html", "earlier");
    AnsweringPrompts prompts;
    const auto shown = reportCommand({nullptr, "Indici", std::nullopt}, kTemplates, dir.dir(), prompts);
    EXPECT_FALSE(shown);
    EXPECT_EQ(prompts.shown, std::vector<std::string>{"warning: Seleziona un altro pannello!"});
    EXPECT_EQ(readFile(dir.file("report.html")), "earlier");
}

TEST(ReportCommand, portfolioReportIsWrittenWithItsTotalAndShown)
{
    ScratchDir dir;
    TAlignGrid grid;
    test::setUpWorkedExamplePortfolio(grid);
    grid.setCell(1, 1, "Citt\xE0 \x80");
    AnsweringPrompts prompts;
    const ActivePage page{&grid, "Portafoglio", "Totale Portafoglio: Eu 1.240,0000 = L.2.400.975"};

    const auto shown = reportCommand(page, kTemplates, dir.dir(), prompts);

    EXPECT_TRUE(prompts.shown.empty());
    EXPECT_EQ(shown.value_or(""), dir.dir() + "report.html");
    const std::string report = readFile(dir.file("report.html"));
    EXPECT_NE(report.find("charset=windows-1252"), std::string::npos);
    EXPECT_NE(report.find("<title>Report Listorix - Portafoglio</title>"), std::string::npos);
    EXPECT_NE(report.find(">Citt\xE0 \x80</font>"), std::string::npos); // 8-bit, as declared
    EXPECT_NE(report.find("<b>Totale Portafoglio: Eu 1.240,0000 = L.2.400.975</b>"), std::string::npos);
}

TEST(ReportCommand, categoryReportHasNoTotalLine)
{
    ScratchDir dir;
    TAlignGrid grid(11, 2);
    AnsweringPrompts prompts;
    ASSERT_TRUE(reportCommand({&grid, "Obbligazioni", std::nullopt}, kTemplates, dir.dir(), prompts));
    EXPECT_EQ(readFile(dir.file("report.html")).find("<b>Totale</b>"), std::string::npos);
}

TEST(ReportCommand, reportThatCannotBeWrittenIsAnErrorAndNothingIsShown)
{
    ScratchDir dir;
    TAlignGrid grid(4, 2);
    AnsweringPrompts prompts;
    const std::string missing = dir.dir() + "gone/";
    EXPECT_FALSE(reportCommand({&grid, "Fondi", std::nullopt}, kTemplates, missing, prompts));
    EXPECT_EQ(prompts.shown,
              std::vector<std::string>{"warning: Unable to write to " + missing + "report.html"});
}

TEST(ClipboardCommand, tableGoesToTheClipboardInTheUsersSeparatorAndTheUserIsTold)
{
    TAlignGrid grid(3, 2);
    grid.setCell(0, 0, "Codice");
    grid.setCell(1, 0, "var.,%");
    grid.setCell(0, 1, "A,B");
    grid.setCell(1, 1, "       240,0000");
    AnsweringPrompts prompts;
    std::vector<std::string> clipboard;

    clipboardCommand(
        &grid, '.', [&](const std::string& text) { clipboard.push_back(text); }, prompts);

    EXPECT_EQ(clipboard, std::vector<std::string>{"Codice\tvar.,%\t\r\nA,B\t       240.0000\t\r\n"});
    EXPECT_EQ(prompts.shown,
              std::vector<std::string>{"message: La tabella \xE8 stata copiata nella clipboard.\r\r"
                                       "Va in Excel, seleziona la prima cella della\r"
                                       "tabella di destinazione e premi CTRL-V per "
                                       "incollare i dati."});
}

TEST(ClipboardCommand, pageWithoutTableWarnsAndLeavesTheClipboardAlone)
{
    AnsweringPrompts prompts;
    bool touched = false;
    clipboardCommand(
        nullptr, ',', [&](const std::string&) { touched = true; }, prompts);
    EXPECT_FALSE(touched);
    EXPECT_EQ(prompts.shown, std::vector<std::string>{"warning: Gli indici non si possono copiare in Excel"});
}

} // namespace
} // namespace listorix
