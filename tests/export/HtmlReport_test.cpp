#include "SettingsTestSupport.h"
#include "WorkedExamplePortfolio.h"
#include "export/HtmlReport.h"
#include "grid/TAlignGrid.h"
#include "market/Catalogue.h"

#include <gtest/gtest.h>
#include <stdexcept>
#include <sys/stat.h>

namespace listorix {
namespace {

using test::readBytes;
using test::ScratchDir;
using test::writeBytes;

// Templates made from the catalogue of a fixed program directory, so the head and
// foot lines are known texts.
ReportTemplates fixedTemplates()
{
    Catalogue catalogue;
    CatalogueOptions options;
    options.programDir = "/opt/listorix-report-test/";
    BuildCatalogue(catalogue, options);
    return BuildReportTemplates(catalogue.HomePageUrl);
}

std::string withCrLf(const LineList& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

TEST(HtmlReport, onePortfolioRowGivesTheThirtyTwoLinesByteForByte)
{
    TAlignGrid grid;
    test::setUpWorkedExamplePortfolio(grid);
    test::highlightRow(grid, 1);
    ScratchDir dir;
    const std::string file = dir.file("report.html").string();

    const ReportWriteResult result =
        WriteHtmlReport(grid, "Portafoglio", file,
                        TotalLine("Totale Portafoglio: Eu 1.240,0000 = L.2.400.975"), fixedTemplates());

    const LineList expected = {
        R"(<html><head><meta http-equiv="Content-Type" content="text/html; charset=windows-1252"><title>Report Listorix - Portafoglio</title></head><body><table width="100%" border="0"><tr><td valign="bottom"><font face="Verdana" color="blue"><b><i><big>Portafoglio</big></b></i></font></td><td align="right" valign="bottom"><font face="Verdana" size="1"><a href="file:///opt/listorix-report-test/web/index.html">/opt/listorix-report-test/web/index.html</a></font></td></tr></table>)",
        R"(<table width="100%" border="0" cellpadding="0" cellspacing="0"><tr><td bgcolor="silver">)",
        R"(<table width="100%" border="0" cellpadding="2" cellspacing="1">)",
        R"(<tr bgcolor="#ffffff">)",
        R"(<td align="left" bgcolor="#ffff99"><b><font face="Verdana" size="2" >Codice</font></b></td>)",
        R"(<td align="center" bgcolor="#ffff99"><b><font face="Verdana" size="2" >Nome</font></b></td>)",
        R"(<td align="center" bgcolor="#ffff99"><b><font face="Verdana" size="2" >Tipo</font></b></td>)",
        R"(<td align="center" bgcolor="#ffff99"><b><font face="Verdana" size="2" >Quote</font></b></td>)",
        R"(<td align="center" bgcolor="#ffff99"><b><font face="Verdana" size="2" >Data</font></b></td>)",
        R"(<td align="center" bgcolor="#ffff99"><b><font face="Verdana" size="2" >Quotazione</font></b></td>)",
        R"(<td align="center" bgcolor="#ffff99"><b><font face="Verdana" size="2" >Acquisto</font></b></td>)",
        R"(<td align="center" bgcolor="#ffff99"><b><font face="Verdana" size="2" >Data Acq.</font></b></td>)",
        R"(<td align="center" bgcolor="#ffff99"><b><font face="Verdana" size="2" >Var.%</font></b></td>)",
        R"(<td align="center" bgcolor="#ffff99"><b><font face="Verdana" size="2" >Guadagno</font></b></td>)",
        R"(<td align="center" bgcolor="#ffff99"><b><font face="Verdana" size="2" >Totale</font></b></td>)",
        R"(</tr>)",
        R"(<tr bgcolor="#ffffff">)",
        R"(<td align="left"><font face="Verdana" size="2" >ENI.MI</font></td>)",
        R"(<td align="left"><font face="Verdana" size="2" >ENI</font></td>)",
        R"(<td align="center"><font face="Verdana" size="2" >TA</font></td>)",
        R"(<td align="right"><font face="Verdana" size="2" >100</font></td>)",
        R"(<td align="center"><font face="Verdana" size="2" >14/05</font></td>)",
        R"(<td align="right"><font face="Verdana" size="2" >12,4000</font></td>)",
        R"(<td align="right"><font face="Verdana" size="2" >10,0000</font></td>)",
        R"(<td align="center"><font face="Verdana" size="2" >01/02/2003</font></td>)",
        R"(<td align="center"><font face="Verdana" size="2" >24,00</font></td>)",
        R"(<td align="right"><font face="Verdana" size="2" >240,0000</font></td>)",
        R"(<td align="right"><font face="Verdana" size="2" >1.240,0000</font></td>)",
        R"(</tr>)",
        R"(</table></td></tr></table>)",
        R"(<table width="100%" border="0" cellpadding="0" cellspacing="0"><tr><td align="left"><font face="Verdana"><b>Totale</b></font></td><td align="right"><font face="Verdana"><b>Totale Portafoglio: Eu 1.240,0000 = L.2.400.975</b></font></td></tr></table>)",
        R"(<font face="Verdana" size="1"><i><br>report generato da Listorix <a href="file:///opt/listorix-report-test/web/index.html">/opt/listorix-report-test/web/index.html</a></i></font><br></body></html>)",
    };
    ASSERT_EQ(expected.size(), 32u);
    EXPECT_TRUE(result.written) << result.message;
    EXPECT_EQ(readBytes(file), withCrLf(expected));
}

TEST(HtmlReport, alignmentWordIsPositionalInTheHeaderAndTheColumnsOwnBelowIt)
{
    TAlignGrid grid(4, 2);
    grid.setAlignment(Alignment::Right); // the table's own: a column without a setting is still "left"
    grid.setAlignCol(0, Alignment::Right);
    grid.setAlignCol(1, Alignment::Center);
    grid.setAlignCol(2, Alignment::Left);
    grid.setFixedAlignCol(0, Alignment::Right); // the grid's header setting plays no part
    grid.setAlignCell(3, 1, Alignment::Right);  // nor does a single cell's
    struct Case
    {
        int col;
        int row;
        const char* word;
    } const cases[] = {
        {0, 0, "left"},   {1, 0, "center"}, {3, 0, "center"}, {0, 1, "right"},
        {1, 1, "center"}, {2, 1, "left"},   {3, 1, "left"}, // no column setting
    };
    for (const Case& c : cases)
        EXPECT_EQ(reportAlignmentWord(grid, c.col, c.row), c.word) << "column " << c.col << " row " << c.row;
}

TEST(HtmlReport, colourAttributeFollowsTheCellsOwnTextColourOrTheTables)
{
    constexpr TColor kSystemHighlight = static_cast<TColor>(0x8000000DU);
    struct Case
    {
        const char* what;
        std::optional<TColor> own;
        TColor table;
        int col;
        const char* text;
        const char* attribute;
    } const cases[] = {
        {"black table text", {}, clBlack, 9, "-5,0000", ""},
        {"table text in a colour", {}, rgbColour(0, 128, 0), 1, "x", R"(color="#008000")"},
        {"own colour wins over the table's", clRed, rgbColour(0, 128, 0), 9, "-5,0000", R"(color="#FF0000")"},
        {"digits in red, green, blue order", rgbColour(0x12, 0x34, 0x56), clBlack, 0, "x",
         R"(color="#123456")"},
        {"blue sort mark", clBlue, clBlack, 2, "x", R"(color="#0000FF")"},
        {"own black", clBlack, clRed, 9, "x", ""},
        {"system colour", kSystemHighlight, clBlack, 9, "-5", ""},
        {"white loss from column 6", clWhite, clBlack, 6, "-1", R"(color="#FF0000")"},
        {"white loss with blanks", clWhite, clBlack, 9, "      -240,0000", R"(color="#FF0000")"},
        {"white gain", clWhite, clBlack, 9, "       240,0000", ""},
        {"white negative quantity", clWhite, clBlack, 3, "-100", ""},
        {"white negative before column 6", clWhite, clBlack, 5, "-1", ""},
        {"white minus inside the text", clWhite, clBlack, 10, "1-2", ""},
        {"white empty cell", clWhite, clBlack, 10, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TAlignGrid grid(11, 2);
        Font font = grid.font();
        font.color = c.table;
        grid.setFont(font);
        grid.setCell(c.col, 1, c.text);
        if (c.own)
            grid.setFontColorCell(c.col, 1, *c.own);
        EXPECT_EQ(reportColourAttribute(grid, c.col, 1), c.attribute);
    }
}

TEST(HtmlReport, cellLinesTrimEscapeAndPlaceTheAttribute)
{
    TAlignGrid grid(3, 2);
    grid.setAlignCol(1, Alignment::Right);
    grid.setCell(0, 0, "Codice");
    grid.setCell(1, 0, "Var.%");
    grid.setFontColorCell(1, 0, clRed); // a header marked by the sort
    grid.setCell(0, 1, "   ");
    grid.setCell(1, 1, "     1.240,0000 ");
    grid.setFontColorCell(1, 1, clRed);
    grid.setCell(2, 1, R"( <script>alert("a&b")</script> > )");

    EXPECT_EQ(
        reportCellLine(grid, 0, 0),
        R"(<td align="left" bgcolor="#ffff99"><b><font face="Verdana" size="2" >Codice</font></b></td>)");
    EXPECT_EQ(
        reportCellLine(grid, 1, 0),
        R"(<td align="center" bgcolor="#ffff99"><b><font face="Verdana" size="2" color="#FF0000">Var.%</font></b></td>)");
    EXPECT_EQ(reportCellLine(grid, 0, 1),
              R"(<td align="left"><font face="Verdana" size="2" >&nbsp;</font></td>)");
    EXPECT_EQ(reportCellLine(grid, 1, 1),
              R"(<td align="right"><font face="Verdana" size="2" color="#FF0000">1.240,0000</font></td>)");
    EXPECT_EQ(
        reportCellLine(grid, 2, 1),
        R"(<td align="left"><font face="Verdana" size="2" >&lt;script&gt;alert(&quot;a&amp;b&quot;)&lt;/script&gt; &gt;</font></td>)");
}

TEST(HtmlReport, categoryReportHasNoTotalLineAndTheTitleTwiceInTheHead)
{
    TAlignGrid grid(3, 3);
    grid.setCell(0, 0, "Codice");
    grid.setCell(1, 0, "Nome");
    grid.setFontColorCell(1, 0, clBlue);
    grid.setCell(1, 1, "Banca & Co");
    const std::string head = "<title>#titolo#</title><h1>#titolo#</h1>";
    const std::string foot = "<p>fine #x#</p>";

    const LineList lines = htmlReportLines(grid, "Fondi <A&B>", "", head, foot);

    ASSERT_EQ(lines.size(), 3u + 3u * (3u + 2u) + 1u + 1u);
    EXPECT_EQ(lines.front(), "<title>Fondi &lt;A&amp;B&gt;</title><h1>Fondi &lt;A&amp;B&gt;</h1>");
    EXPECT_EQ(lines[lines.size() - 2], "</table></td></tr></table>");
    EXPECT_EQ(lines.back(), foot);
    EXPECT_EQ(
        lines[5],
        R"(<td align="center" bgcolor="#ffff99"><b><font face="Verdana" size="2" color="#0000FF">Nome</font></b></td>)");
    EXPECT_EQ(lines[10], R"(<td align="left"><font face="Verdana" size="2" >Banca &amp; Co</font></td>)");
}

TEST(HtmlReport, failingRowEndsWithAnErrorLineAndTheOtherRowsFollow)
{
    TAlignGrid grid(3, 3);
    const auto failingAt = [](int badCol, int badRow) {
        return [badCol, badRow](const TAlignGrid&, int col, int row) -> std::string {
            if (col == badCol && row == badRow)
                throw std::runtime_error("cell");
            return "c" + std::to_string(col) + "r" + std::to_string(row);
        };
    };

    const LineList middle = htmlReportLines(grid, "T", "", "H", "F", failingAt(2, 1));
    const LineList expectedMiddle = {
        "H",
        R"(<table width="100%" border="0" cellpadding="0" cellspacing="0"><tr><td bgcolor="silver">)",
        R"(<table width="100%" border="0" cellpadding="2" cellspacing="1">)",
        R"(<tr bgcolor="#ffffff">)",
        "c0r0",
        "c1r0",
        "c2r0",
        "</tr>",
        R"(<tr bgcolor="#ffffff">)",
        "c0r1",
        "c1r1",
        "Errore alla riga 1",
        R"(<tr bgcolor="#ffffff">)",
        "c0r2",
        "c1r2",
        "c2r2",
        "</tr>",
        "</table></td></tr></table>",
        "F"};
    EXPECT_EQ(middle, expectedMiddle);

    const LineList header = htmlReportLines(grid, "T", "", "H", "F", failingAt(0, 0));
    ASSERT_GT(header.size(), 5u);
    EXPECT_EQ(header[3], R"(<tr bgcolor="#ffffff">)");
    EXPECT_EQ(header[4], "Errore alla riga 0");
    EXPECT_EQ(header[5], R"(<tr bgcolor="#ffffff">)");
}

TEST(HtmlReport, replaceTitlePutsTheTitleInEveryPlaceholder)
{
    struct Case
    {
        const char* text;
        const char* title;
        const char* result;
    } const cases[] = {
        {"a#titolo#b#titolo#c", "Fondi", "aFondibFondic"},
        {"#titolo##titolo#", "X", "XX"},
        {"no placeholder", "X", "no placeholder"},
        {"#titolo#", "", ""},
        {"#titol#titolo#", "X", "#titolX"},
        {"[#titolo#][#titolo#]", "#titolo#", "[#titolo#][#titolo#]"}, // ends, one title each
    };
    for (const Case& c : cases) {
        std::string text = c.text;
        ReplaceTitle(text, c.title);
        EXPECT_EQ(text, c.result) << c.text << " / " << c.title;
    }
}

TEST(HtmlReport, totalLineEscapesTheCaption)
{
    EXPECT_EQ(
        TotalLine("Eu <b>1</b>"),
        R"(<table width="100%" border="0" cellpadding="0" cellspacing="0"><tr><td align="left"><font face="Verdana"><b>Totale</b></font></td><td align="right"><font face="Verdana"><b>Eu &lt;b&gt;1&lt;/b&gt;</b></font></td></tr></table>)");
}

TEST(HtmlReport, writingReplacesAnExistingReportWhole)
{
    ScratchDir dir;
    const std::string file = dir.file("report.html").string();
    writeBytes(file, std::string(100000, 'x'));
    TAlignGrid grid(1, 1);
    const ReportTemplates templates{"head #titolo#", "foot"};

    const ReportWriteResult result = WriteHtmlReport(grid, "Derivati", file, "", templates);

    EXPECT_TRUE(result.written);
    EXPECT_EQ(result.message, "");
    EXPECT_EQ(readBytes(file),
              "head Derivati\r\n"
              "<table width=\"100%\" border=\"0\" cellpadding=\"0\" cellspacing=\"0\"><tr><td "
              "bgcolor=\"silver\">\r\n"
              "<table width=\"100%\" border=\"0\" cellpadding=\"2\" cellspacing=\"1\">\r\n"
              "<tr bgcolor=\"#ffffff\">\r\n"
              "<td align=\"left\" bgcolor=\"#ffff99\"><b><font face=\"Verdana\" size=\"2\" "
              ">&nbsp;</font></b></td>\r\n"
              "</tr>\r\n"
              "</table></td></tr></table>\r\n"
              "foot\r\n");
    EXPECT_EQ(test::entriesOf(dir.path()), std::vector<std::string>{"report.html"});
}

TEST(HtmlReport, failedWriteLeavesTheOldReportAndSaysWhy)
{
    ScratchDir dir;
    const std::string readOnly = dir.file("report.html").string();
    writeBytes(readOnly, "old report");
    ASSERT_EQ(::chmod(readOnly.c_str(), 0444), 0);
    const std::string missingDir = dir.file("gone/report.html").string();
    TAlignGrid grid;

    for (const std::string& file : {readOnly, missingDir}) {
        const ReportWriteResult result = WriteHtmlReport(grid, "Fondi", file, "", fixedTemplates());
        EXPECT_FALSE(result.written);
        EXPECT_EQ(result.message, "Unable to write to " + file);
    }
    EXPECT_EQ(readBytes(readOnly), "old report");
    EXPECT_EQ(test::entriesOf(dir.path()), std::vector<std::string>{"report.html"});
}

} // namespace
} // namespace listorix
