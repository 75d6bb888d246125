#include "SettingsTestSupport.h"
#include "base/AtomicFile.h"
#include "base/NumberFormat.h"
#include "base/TimeOfDay.h"
#include "grid/TAlignGrid.h"
#include "market/Categories.h"
#include "market/IntradayChart.h"
#include "portfolio/PortfolioTable.h"
#include "settings/IniFile.h"
#include "settings/ProgramDir.h"
#include "settings/TIniObject.h"

#include <array>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace listorix {
namespace {

using test::fixture;
using test::readBytes;
using test::ScratchDir;
using test::writeBytes;

using Rows = std::vector<std::vector<std::string>>;

constexpr TColor kTableFontColour = clBlue; // tells a cell's own black font from the table's

// Every test works on one settings file in a directory of its own.
class TIniObjectTest : public ::testing::Test
{
protected:
    std::filesystem::path file() const { return m_dir.file("LISTORIX.INI"); }
    TIniObject ini() const { return TIniObject::atPath(file()); }
    void store(std::string_view text) const { writeBytes(file(), text); }

    ScratchDir m_dir;
};

Rows dataRows(const TAlignGrid& grid, int columns)
{
    Rows rows;
    for (int row = 1; row < grid.rowCount(); ++row) {
        rows.emplace_back();
        for (int col = 0; col < columns; ++col)
            rows.back().push_back(grid.cell(col, row));
    }
    return rows;
}

std::vector<int> widthsOf(const TAlignGrid& grid)
{
    std::vector<int> widths;
    for (int col = 0; col < grid.colCount(); ++col)
        widths.push_back(grid.colWidth(col));
    return widths;
}

double at(int hour, int minute, int second = 0)
{
    return TimeOfDay::fromHms(hour, minute, second)->dayFraction();
}

Date day(int year, int month, int dayOfMonth)
{
    return *Date::fromYmd(year, month, dayOfMonth);
}

// A grid of four columns whose one data row holds "x" everywhere.
std::unique_ptr<TAlignGrid> designGrid()
{
    auto grid = std::make_unique<TAlignGrid>(4, 2);
    Font font = grid->font();
    font.color = kTableFontColour;
    grid->setFont(font);
    for (int col = 0; col < 4; ++col)
        grid->setCell(col, 1, "x");
    return grid;
}

TEST(TIniObjectFile, emptyNameIsTheSettingsFileAndOtherNamesLieBesideIt)
{
    ScratchDir dir;
    setProgramDir(dir.path().string());
    EXPECT_EQ(TIniObject().path(), dir.file("LISTORIX.INI"));
    EXPECT_EQ(TIniObject("other.ini").path(), dir.file("other.ini"));
    resetProgramDir();
}

TEST_F(TIniObjectTest, loadGridTurnsEntriesIntoRowsInFileOrder)
{
    struct Case
    {
        const char* name;
        const char* section;
        Rows rows;
    };
    const Case cases[] = {
        {"fewer fields fill the leading cells", "1=a;b\r\n", {{"a", "b", "x", "x"}}},
        {"a trailing ; leaves the last cell alone", "1=a;b;\r\n", {{"a", "b", "x", "x"}}},
        {"adjacent separators give an empty cell", "1=a;;c\r\n", {{"a", "", "c", "x"}}},
        {"fields beyond the last column are dropped", "1=a;b;c;d;e;f\r\n", {{"a", "b", "c", "d"}}},
        {"keys are not read, only their order",
         "3=c\r\n1=a\r\n2=b\r\n",
         {{"c", "x", "x", "x"}, {"a", "", "", ""}, {"b", "", "", ""}}},
        {"an empty value is no row and a repeated key one",
         "1=a\r\n2=\r\n1=z\r\n3=b\r\n",
         {{"a", "x", "x", "x"}, {"b", "", "", ""}}},
        {"an empty section keeps the design rows", "", {{"x", "x", "x", "x"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        store(std::string("[Portafoglio]\r\n") + c.section + "[Grids]\r\n1=q;q;q;q\r\n");
        auto grid = designGrid();
        ini().LoadGrid("Portafoglio", *grid);
        EXPECT_EQ(dataRows(*grid, 4), c.rows);
    }

    std::filesystem::remove(file());
    auto grid = designGrid();
    grid->setRowCount(5);
    ini().LoadGrid("Portafoglio", *grid);
    EXPECT_EQ(grid->rowCount(), 5) << "a missing section changes nothing";
}

TEST_F(TIniObjectTest, loadedFieldsBeginningWithMinusAreRedOthersBlack)
{
    store("[Portafoglio]\r\n1=-3,5;3,5;;-\r\n2=a\r\n");
    auto grid = designGrid();
    ini().LoadGrid("Portafoglio", *grid);

    EXPECT_EQ(grid->effectiveFont(0, 1).color, clRed);
    EXPECT_EQ(grid->effectiveFont(1, 1).color, clBlack);
    EXPECT_EQ(grid->effectiveFont(2, 1).color, clBlack);
    EXPECT_EQ(grid->effectiveFont(3, 1).color, clRed);
    EXPECT_EQ(grid->effectiveFont(0, 2).color, clBlack);
    // Cells that no field reached keep the table's font.
    EXPECT_EQ(grid->effectiveFont(1, 2).color, kTableFontColour);
}

TEST_F(TIniObjectTest, saveGridRewritesTheSectionAtTheEndWithTrimmedLeadingColumns)
{
    store("[Window]\r\nShowCmd=1\r\n[Portafoglio]\r\n1=old\r\n2=old\r\n3=old\r\n4=old\r\n[Grids]\r\nFondi="
          "64\r\n");
    TAlignGrid grid(11, 3);
    for (int col = 0; col < 11; ++col) {
        grid.setCell(col, 1, "r1c" + std::to_string(col));
        grid.setCell(col, 2, "");
    }
    grid.setCell(1, 1, "  ENI \t");
    grid.setCell(3, 2, " 100");

    ini().SaveGrid("Portafoglio", grid, 8);
    EXPECT_EQ(readBytes(file()),
              "[Window]\r\nShowCmd=1\r\n[Grids]\r\nFondi=64\r\n"
              "[Portafoglio]\r\n1=r1c0;ENI;r1c2;r1c3;r1c4;r1c5;r1c6;r1c7\r\n2=;;;100;;;;\r\n");

    ini().SaveGrid("Portafoglio", grid, 0);
    EXPECT_EQ(IniFile(file()).readString("Portafoglio", "1"),
              "r1c0;ENI;r1c2;r1c3;r1c4;r1c5;r1c6;r1c7;r1c8;r1c9;r1c10");

    grid.setRowCount(1);
    ini().SaveGrid("Portafoglio", grid, 8);
    EXPECT_EQ(readBytes(file()), "[Window]\r\nShowCmd=1\r\n[Grids]\r\nFondi=64\r\n");
}

TEST_F(TIniObjectTest, semicolonTypedInACellIsSavedAsACommaSoTheRowKeepsItsColumns)
{
    TAlignGrid grid(8, 2);
    const std::array<std::string, 8> typed = {"",  "Rossi; Bianchi", "PERS", "1", "14/03", "5",
                                              "4", "1;2;2003"};
    for (int col = 0; col < 8; ++col)
        grid.setCell(col, 1, typed[static_cast<std::size_t>(col)]);
    ini().SaveGrid("Portafoglio", grid, 8);

    TAlignGrid loaded(8, 2);
    ini().LoadGrid("Portafoglio", loaded);
    EXPECT_EQ(dataRows(loaded, 8),
              (Rows{{"", "Rossi, Bianchi", "PERS", "1", "14/03", "5", "4", "1,2,2003"}}));
}

TEST_F(TIniObjectTest, loadColWidthsReadsFieldsWithItsOddRules)
{
    struct Case
    {
        const char* stored; // nullptr: no key
        std::vector<int> widths;
    };
    const Case cases[] = {
        {"40;50", {40, 50, 50, 50}}, // the last field serves the later columns
        {"40;0;60;70", {40, 64, 60, 70}},  {"40;-5;60;70", {40, 64, 60, 70}},
        {"40;x;60;70", {40, 64, 64, 64}}, // stuck at the unreadable field
        {"40;;60;70", {40, 64, 64, 64}},   {"40;50;60;70;80", {40, 50, 60, 70}},
        {" 40 ;+50;60", {40, 50, 60, 60}}, {"", {64, 64, 64, 64}},
        {nullptr, {64, 64, 64, 64}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored ? c.stored : "(missing)");
        store(c.stored ? std::string("[Grids]\r\nAzioni=") + c.stored + "\r\n" : "[Grids]\r\n");
        TAlignGrid grid(4, 2);
        ini().LoadColWidths("Azioni", grid);
        EXPECT_EQ(widthsOf(grid), c.widths);
    }
}

TEST_F(TIniObjectTest, saveColWidthsWritesOneKeyOfGrids)
{
    store("[Grids]\r\nAzioni=1;2\r\nFondi=9\r\n");
    TAlignGrid grid(3, 2);
    grid.setColWidth(0, 64);
    grid.setColWidth(1, 150);
    grid.setColWidth(2, 7);
    ini().SaveColWidths("Azioni", grid);
    EXPECT_EQ(readBytes(file()), "[Grids]\r\nAzioni=64;150;7\r\nFondi=9\r\n");
}

TEST_F(TIniObjectTest, saveSeriesWritesTheDateThenOnePointPerKey)
{
    IntradayChart chart;
    chart.ResetChart();
    chart.AddChartPoint(chart.Series1, at(9, 30), -0.52);
    chart.AddChartPoint(chart.Series1, at(17, 35, 12), 1.25);
    chart.AddChartPoint(chart.Series1, at(17, 40), 0);
    store(
        "[MIBTEL Series]\r\nDATA=13/03/2003\r\n1=9:00:00;1\r\n2=9:01:00;1\r\n3=9:02:00;1\r\n4=9:03:00;1\r\n");

    ini().SaveSeries("MIBTEL Series", chart.Series1, day(2003, 3, 14));
    ini().SaveSeries("MIB30 Series", chart.Series2, day(2003, 3, 14));
    ini().SaveSeries("MIDEX Series", chart.Series4, Date());
    EXPECT_EQ(readBytes(file()),
              "[MIBTEL Series]\r\nDATA=14/03/2003\r\n1=9:30:00;-0,52\r\n2=17:35:12;1,25\r\n"
              "3=17:40:00;0\r\n"
              "[MIB30 Series]\r\nDATA=14/03/2003\r\n"
              "[MIDEX Series]\r\nDATA=\r\n");
}

TEST_F(TIniObjectTest, loadSeriesReadsPointsUpToTheFirstMissingKey)
{
    struct Case
    {
        const char* name;
        const char* keys;
        std::vector<ChartPoint> points;
    };
    const Case cases[] = {
        {"colons and dots",
         "1=9:30:00;-0,52\r\n2=9.35.00;0,5\r\n3=10.05;1E-5\r\n",
         {{at(9, 30), -0.52}, {at(9, 35), 0.5}, {at(10, 5), 1e-5}}},
        {"a repeated time keeps the first",
         "1=9:30:00;1\r\n2=9.30.00;2\r\n3=9:31:00;3\r\n",
         {{at(9, 30), 1}, {at(9, 31), 3}}},
        {"unreadable fields still give a point", "1=9:30:00;abc\r\n2=later\r\n", {{at(9, 30), 0}, {0, 0}}},
        {"a gap in the keys ends the series",
         "1=9:30:00;1\r\n2=9:31:00;2\r\n4=9:33:00;4\r\n",
         {{at(9, 30), 1}, {at(9, 31), 2}}},
        {"an empty value ends it too", "1=9:30:00;1\r\n2=\r\n3=9:32:00;3\r\n", {{at(9, 30), 1}}},
        {"no points", "", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        store(std::string("[MIB30 Series]\r\nDATA=14/03/2003\r\n") + c.keys);
        IntradayChart chart;
        chart.ResetChart();
        chart.AddChartPoint(chart.Series2, at(8, 0), 7);
        chart.AddChartPoint(chart.Series4, at(8, 0), 7);
        Date date;
        ini().LoadSeries("MIB30 Series", chart, chart.Series2, date);
        EXPECT_EQ(chart.Series2.points(), c.points);
        EXPECT_EQ(chart.Series4.points().size(), 1u) << "other series stay as they are";
        EXPECT_EQ(date, day(2003, 3, 14));
    }
}

TEST_F(TIniObjectTest, loadSeriesDateIsNullWhenMissingOrUnreadable)
{
    for (const char* section :
         {"[MIDEX Series]\r\n1=9:30:00;1\r\n", "[MIDEX Series]\r\nDATA=\r\n",
          "[MIDEX Series]\r\nDATA=3/14/2003\r\n", "[MIDEX Series]\r\nDATA=14-03-2003\r\n", "[Other]\r\n"}) {
        SCOPED_TRACE(section);
        store(section);
        IntradayChart chart;
        Date date = day(2003, 3, 13);
        ini().LoadSeries("MIDEX Series", chart, chart.Series4, date);
        EXPECT_TRUE(date.isNull());
    }
}

// What the program does at start-up, in its order.
struct Window
{
    TAlignGrid portfolio{11, 2};
    TAlignGrid shares{10, 2};
    TAlignGrid bonds{8, 2};
    TAlignGrid derivatives{8, 2};
    TAlignGrid funds{5, 2};
    IntradayChart chart;
    Date seriesDate;

    std::array<std::pair<std::string_view, TAlignGrid*>, 5> tables()
    {
        return {{{kPortfolioWidthsKey, &portfolio},
                 {categoryOf(ConnectionId::Azioni).widthsKey, &shares},
                 {categoryOf(ConnectionId::Obbligazioni).widthsKey, &bonds},
                 {categoryOf(ConnectionId::Derivati).widthsKey, &derivatives},
                 {categoryOf(ConnectionId::Fondi).widthsKey, &funds}}};
    }
    std::array<std::pair<std::string_view, ChartSeries*>, 3> series()
    {
        return {{{kMibtelSeriesSection, &chart.Series1},
                 {kMib30SeriesSection, &chart.Series2},
                 {kMidexSeriesSection, &chart.Series4}}};
    }

    void load(TIniObject ini)
    {
        ini.LoadGrid(kPortfolioSection, portfolio);
        for (const auto& [name, grid] : tables())
            ini.LoadColWidths(name, *grid);
        chart.ResetChart();
        for (const auto& [section, line] : series())
            ini.LoadSeries(section, chart, *line, seriesDate);
    }
    void save(TIniObject ini)
    {
        ini.SaveGrid(kPortfolioSection, portfolio, kPortfolioStoredColumns);
        for (const auto& [name, grid] : tables())
            ini.SaveColWidths(name, *grid);
        for (const auto& [section, line] : series())
            ini.SaveSeries(section, *line, seriesDate);
    }
};

TEST_F(TIniObjectTest, fileWrittenByTheWindowsProgramLoads)
{
    writeBytes(file(), readBytes(fixture("original.ini")));
    Window window;
    window.load(ini());

    EXPECT_EQ(dataRows(window.portfolio, 8),
              (Rows{{"ENI.MI", "ENI", "TA", "100", "14/03", "14,25", "13,9", "14/03/2003"},
                    {"FIB3C.MI", "FIB MAR 03", "TD", "-1", "14/03", "25.105", "26.000", "10/03/2003"},
                    {"", "Societ\xE0 agricola", "PERS", "10", "01/03", "5,5", "5", "01/02/2003"},
                    {"F00001.MI", "Fondo \x80uro", "F", "", "14/03", "12,5", "", ""}}));
    EXPECT_EQ(window.portfolio.effectiveFont(3, 2).color, clRed);
    EXPECT_EQ(widthsOf(window.portfolio), (std::vector<int>{64, 80, 150, 60, 70, 70, 70, 80, 80, 80, 80}));
    EXPECT_EQ(widthsOf(window.funds), (std::vector<int>{64, 200, 70, 70, 70}));
    EXPECT_EQ(window.chart.Series1.points(),
              (std::vector<ChartPoint>{{at(9, 30), -0.52}, {at(9, 32), -0.41}}));
    EXPECT_EQ(window.chart.Series2.points(),
              (std::vector<ChartPoint>{{at(9, 30), -0.6}, {at(9, 32), -0.55}}));
    EXPECT_TRUE(window.chart.Series4.points().empty());
    EXPECT_EQ(window.seriesDate, day(2003, 3, 14));
    // The loaded points widen the axes as live ones do.
    EXPECT_EQ(window.chart.timeAxis().minimum, at(9, 30));
    EXPECT_EQ(window.chart.valueAxis().minimum, -1);
}

TEST_F(TIniObjectTest, savedWindowLoadsBackTheSameAndOtherSectionsSurvive)
{
    writeBytes(file(), readBytes(fixture("original.ini")));
    Window before;
    const Rows portfolio = {{"ENI.MI", "ENI", "TA", "100", "14/03", "14,25", "13,9", "14/03/2003"},
                            {"", "Societ\xE0 agricola", "PERS", "1", "01/03", "-0,5", "5", ""},
                            {"G.MI", "GENERALI", "TA", "-20", "", "", "21,5", "1/2/2003"}};
    before.portfolio.setRowCount(4);
    for (int row = 1; row <= 3; ++row)
        for (int col = 0; col < 11; ++col)
            before.portfolio.setCell(col, row, col < 8 ? portfolio[row - 1][col] : "computed");
    before.portfolio.setCell(1, 3, "  GENERALI  ");
    int width = 30;
    for (const auto& [name, grid] : before.tables())
        for (int col = 0; col < grid->colCount(); ++col)
            grid->setColWidth(col, width++);
    before.chart.ResetChart();
    before.chart.AddChartPoint(before.chart.Series1, at(9, 5, 17), -0.52);
    before.chart.AddChartPoint(before.chart.Series1, at(17, 35), 1.2345678901234);
    before.chart.AddChartPoint(before.chart.Series2, at(9, 5), 12.5);
    before.chart.AddChartPoint(before.chart.Series4, at(12, 0), -3);
    before.seriesDate = day(2005, 1, 25);

    before.save(ini());
    Window after;
    after.load(ini());

    EXPECT_EQ(dataRows(after.portfolio, 8), portfolio);
    for (std::size_t i = 0; i < 5; ++i)
        EXPECT_EQ(widthsOf(*after.tables()[i].second), widthsOf(*before.tables()[i].second));
    for (std::size_t i = 0; i < 3; ++i)
        EXPECT_EQ(after.series()[i].second->points(), before.series()[i].second->points());
    EXPECT_EQ(after.seriesDate, before.seriesDate);

    const IniFile settings(file());
    EXPECT_EQ(settings.readString("PROXY", "PASSWORD"), "0080007F008E00A600A600C200CA");
    EXPECT_EQ(settings.readString("Window", "NormPos"), "112,84,912,684");
    EXPECT_EQ(settings.readString("CONNESSIONI", "FONDI INTERVALLO"), "180");
    EXPECT_FALSE(settings.value("Portafoglio", "4")) << "rows of the previous run are gone";
}

TEST_F(TIniObjectTest, unwritableFileThrowsAndKeepsTheSavedSection)
{
    store("[Portafoglio]\r\n1=a\r\n");
    ASSERT_EQ(::chmod(file().c_str(), 0444), 0);
    TAlignGrid grid(2, 2);
    EXPECT_THROW(ini().SaveGrid("Portafoglio", grid, 2), FileWriteError);
    EXPECT_EQ(readBytes(file()), "[Portafoglio]\r\n1=a\r\n");
}

} // namespace
} // namespace listorix
