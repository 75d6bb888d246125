#include "IndexTestSupport.h"
#include "base/NumberFormat.h"
#include "market/IndexAnswer.h"
#include "market/IndexPanel.h"
#include "market/IntradayChart.h"
#include "market/TrayHint.h"

#include <fstream>
#include <gtest/gtest.h>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace listorix {
namespace {

LineList readAnswer(const std::string& name)
{
    std::ifstream in(std::string(LISTORIX_TEST_DATA_DIR) + "/market/" + name, std::ios::binary);
    EXPECT_TRUE(in) << name;
    LineList lines;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

// One answer line of an index with the given fields after the symbol.
std::string line(const std::string& last, const std::string& date, const std::string& time,
                 const std::string& change, const std::string& high, const std::string& low,
                 const std::string& previous)
{
    return "\"^X\";" + last + ";" + date + ";" + time + ";" + change + ";" + high + ";" + low + ";" +
           previous;
}

// Four lines of one day: each index at the given time with the given change on a
// previous close of 1000 (so a change of 5 is +0,50).
LineList dayAnswer(const std::string& date, const std::string& time, const std::string& mibtel = "5",
                   const std::string& mib30 = "-10", const std::string& midex = "0.5")
{
    return {line("1005", date, time, mibtel, "1010", "990", "1000"),
            line("990", date, time, mib30, "1001", "985", "1000"),
            line("1000.5", date, time, midex, "1002", "998", "1000"),
            line("2000", date, time, "1", "2001", "1999", "1000")};
}

double at(const char* time)
{
    return parseTime(time).value().dayFraction();
}

std::string timeText(double dayFraction)
{
    return formatLongTime(TimeOfDay::fromDayFraction(dayFraction));
}

// The main window's side of the parser: panel, chart and tray hint, answers
// replayed from the cache until a test starts a fetch.
struct IndexPage
{
    IndexPage()
    {
        panel.setObserver([this] { ++panelNotices; });
        chart.setObserver([this] { ++chartNotices; });
    }

    bool parse(const LineList& lines)
    {
        return parser.ParseIndexAnswer(lines, origin) == AnswerVerdict::Read;
    }
    void startFetch() { origin = AnswerOrigin::Live; }

    IndexPanel panel;
    IntradayChart chart;
    AnswerOrigin origin = AnswerOrigin::Replay;
    std::vector<std::string> hints;
    int panelNotices = 0;
    int chartNotices = 0;
    IndexAnswerParser parser{panel, chart, [this] { hints.push_back(trayHintText(panel)); }};
};

TEST(IndexAnswer, fullAnswerFillsPanelHeaderChartAndTrayHint)
{
    IndexPage page;
    page.startFetch();
    ASSERT_TRUE(page.parse(readAnswer("index-answer.csv")));

    const struct
    {
        MarketIndex index;
        const char* change;
        TColor colour;
        const char* value;
        const char* time;
        const char* low;
        const char* high;
    } rows[] = {
        {MarketIndex::MIBTEL, "+0,50", clBlue, "30.251", "17:35", "30.050", "30.310"},
        {MarketIndex::MIB30, "-1,00", clRed, "40.590", "17:35", "40.480", "41.020"},
        {MarketIndex::MIDEX, "+0,05", clBlue, "35.000", "17.34", "34.900", "35.010"},
        // Not available on the service: empty texts, an empty change in blue.
        {MarketIndex::SPMIB, "", clBlue, "31.201", "17:35", "", ""},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(IndexPanel::indexName(r.index));
        EXPECT_EQ(page.panel.text(r.index, IndexField::Change), r.change);
        EXPECT_EQ(page.panel.control(r.index, IndexField::Change).colour, r.colour);
        EXPECT_EQ(page.panel.text(r.index, IndexField::Value), r.value);
        EXPECT_EQ(page.panel.text(r.index, IndexField::Time), r.time);
        EXPECT_EQ(page.panel.text(r.index, IndexField::Low), r.low);
        EXPECT_EQ(page.panel.text(r.index, IndexField::High), r.high);
    }
    EXPECT_EQ(page.panel.dateHeader(), "Valori del 25/01/2005");
    EXPECT_EQ(page.chart.SeriesDate, Date::fromYmd(2005, 1, 25));

    EXPECT_EQ(page.chart.Series1.points(), (std::vector<ChartPoint>{{at("17:35"), 0.5}}));
    EXPECT_EQ(page.chart.Series2.points(), (std::vector<ChartPoint>{{at("17:35"), -1.0}}));
    // The service's "17.34" is read as 17:34.
    EXPECT_EQ(page.chart.Series4.points(), (std::vector<ChartPoint>{{at("17:34"), 0.05}}));
    EXPECT_EQ(timeText(page.chart.timeAxis().minimum), "17:34:00");
    EXPECT_EQ(timeText(page.chart.timeAxis().maximum), "18:35:00");
    EXPECT_EQ(page.chart.valueAxis(), (AxisRange{-2, 1}));

    EXPECT_EQ(page.hints, std::vector<std::string>{"MIBTEL:+0,50 MIB30:-1,00 MIDEX:+0,05"});
    // One notice per model for the whole parse.
    EXPECT_EQ(page.panelNotices, 1);
    EXPECT_EQ(page.chartNotices, 1);
}

TEST(IndexAnswer, answerFormsOfOneIndex)
{
    const struct
    {
        const char* label;
        std::string line;
        const char* change;
        TColor colour;
        const char* value;
        const char* time;
        const char* low;
        const char* high;
        bool point;
        double y;
    } cases[] = {
        {"rise", line("30250.50", "1/25/2005", "17:35", "150.5", "30310", "30050", "30100"), "+0,50", clBlue,
         "30.251", "17:35", "30.050", "30.310", true, 0.5},
        {"fall", line("29799", "1/25/2005", "17:35", "-301", "30100", "29700", "30100"), "-1,00", clRed,
         "29.799", "17:35", "29.700", "30.100", true, -1.0},
        {"no change", line("30100", "1/25/2005", "9:31", "0", "30100", "30100", "30100"), "0,00", clBlue,
         "30.100", "9:31", "30.100", "30.100", true, 0.0},
        {"blanks around the numbers",
         line(" 30250.50 ", "1/25/2005", "17:35", " 150.5 ", " 30310 ", " 30050 ", " 30100 "), "+0,50",
         clBlue, "30.251", "17:35", "30.050", "30.310", true, 0.5},
        {"time with a point", line("1", "1/25/2005", "17.35", "1", "1", "1", "100"), "+1,00", clBlue, "1",
         "17.35", "1", "1", true, 1.0},
        {"time in the afternoon form", line("1", "1/25/2005", "5:35pm", "1", "1", "1", "100"), "+1,00",
         clBlue, "1", "5:35pm", "1", "1", true, 1.0},
        {"time as sent, blanks and all", line("1", "1/25/2005", " 17:35 ", "1", "1", "1", "100"), "+1,00",
         clBlue, "1", " 17:35 ", "1", "1", true, 1.0},
        {"everything not available", line("N/A", "1/25/2005", "N/A", "N/A", "N/A", "N/A", "N/A"), "", clBlue,
         "", "N/A", "", "", false, 0},
        {"previous close of zero", line("5", "1/25/2005", "17:35", "5", "5", "5", "0"), "", clBlue, "5",
         "17:35", "5", "5", false, 0},
        {"time that is no time", line("1", "1/25/2005", "25:00", "-1", "1", "1", "100"), "-1,00", clRed, "1",
         "25:00", "1", "1", false, 0},
        {"two points in a value", line("1.000.5", "1/25/2005", "17:35", "1", "1.2.3", "1", "100"), "+1,00",
         clBlue, "", "17:35", "1", "", true, 1.0},
        {"fields beyond the eighth are ignored",
         line("10", "1/25/2005", "17:35", "1", "11", "9", "100") + ";extra;more", "+1,00", clBlue, "10",
         "17:35", "9", "11", true, 1.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        IndexPage page;
        LineList answer = dayAnswer("1/25/2005", "9:00");
        answer[0] = c.line;
        ASSERT_TRUE(page.parse(answer));
        EXPECT_EQ(page.panel.text(MarketIndex::MIBTEL, IndexField::Change), c.change);
        EXPECT_EQ(page.panel.control(MarketIndex::MIBTEL, IndexField::Change).colour, c.colour);
        EXPECT_EQ(page.panel.text(MarketIndex::MIBTEL, IndexField::Value), c.value);
        EXPECT_EQ(page.panel.text(MarketIndex::MIBTEL, IndexField::Time), c.time);
        EXPECT_EQ(page.panel.text(MarketIndex::MIBTEL, IndexField::Low), c.low);
        EXPECT_EQ(page.panel.text(MarketIndex::MIBTEL, IndexField::High), c.high);
        ASSERT_EQ(page.chart.Series1.points().size(), c.point ? 1u : 0u);
        if (c.point) {
            EXPECT_EQ(page.chart.Series1.points()[0].y, c.y);
        }
        // A missing point of one index does not keep the others off the chart.
        EXPECT_EQ(page.chart.Series2.points().size(), 1u);
        EXPECT_EQ(page.chart.Series4.points().size(), 1u);
    }
}

TEST(IndexAnswer, dateHeaderAndSeriesDateFromTheFirstLine)
{
    const struct
    {
        const char* date;
        const char* header;
        std::optional<Date> seriesDate;
    } cases[] = {
        {"1/25/2005", "Valori del 25/01/2005", Date::fromYmd(2005, 1, 25)},
        {"12/31/2004", "Valori del 31/12/2004", Date::fromYmd(2004, 12, 31)},
        {"2/29/2004", "Valori del 29/02/2004", Date::fromYmd(2004, 2, 29)},
        {" 1 / 25 / 2005 ", "Valori del 25/01/2005", Date::fromYmd(2005, 1, 25)},
        {"01/05/2005", "Valori del 05/01/2005", Date::fromYmd(2005, 1, 5)},
        {"1/25/2005/7", "Valori del 25/01/2005", Date::fromYmd(2005, 1, 25)},
        {"2/29/2005", "Valori del --/--/---", Date()},
        {"25/1/2005", "Valori del --/--/---", Date()},
        {"1/25", "Valori del --/--/---", Date()},
        {"1/x/2005", "Valori del --/--/---", Date()},
        {"1/25/0", "Valori del --/--/---", Date()},
        {"N/A", "Valori del --/--/---", Date()},
        {"\"1/25/2005\"", "Valori del --/--/---", Date()},
        {"", "Valori del --/--/---", Date()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.date);
        IndexPage page;
        page.chart.SeriesDate = Date::fromYmd(2000, 1, 1).value();
        LineList answer = dayAnswer(c.date, "9:30");
        // Only the first line's date counts.
        answer[1] = line("1", "7/7/2007", "9:30", "1", "1", "1", "100");
        ASSERT_TRUE(page.parse(answer));
        EXPECT_EQ(page.panel.dateHeader(), c.header);
        EXPECT_EQ(page.chart.SeriesDate, c.seriesDate);
        // The day's points are drawn whether or not the date could be read.
        EXPECT_EQ(page.chart.Series1.points().size(), 1u);
    }
}

TEST(IndexAnswer, theSameAnswerTwiceAddsEachPointOnce)
{
    IndexPage page;
    page.parse(dayAnswer("1/25/2005", "10:00"));
    page.parse(dayAnswer("1/25/2005", "10:02", "6"));
    const auto series1 = page.chart.Series1.points();
    const auto timeAxis = page.chart.timeAxis();

    // A second fetch with the same times, one with another change at a known time.
    page.parse(dayAnswer("1/25/2005", "10:02", "60"));
    page.parse(dayAnswer("1/25/2005", "10:02"));

    EXPECT_EQ(page.chart.Series1.points(), series1);
    EXPECT_EQ(page.chart.Series1.points().size(), 2u);
    EXPECT_EQ(page.chart.Series2.points().size(), 2u);
    EXPECT_EQ(page.chart.Series4.points().size(), 2u);
    EXPECT_EQ(page.chart.timeAxis(), timeAxis);
    // The axis follows the points, not the panel: a change of +6,00 never drawn
    // leaves the value axis where the drawn ones put it.
    EXPECT_EQ(page.chart.valueAxis().maximum, 1);
    EXPECT_EQ(page.panel.text(MarketIndex::MIBTEL, IndexField::Change), "+0,50");
}

TEST(IndexAnswer, aRestartOnTheSameDayContinuesTheSavedChart)
{
    IndexPage page;
    // What start-up loads from the saved series: two points of the day.
    page.chart.ResetChart();
    page.chart.SeriesDate = Date::fromYmd(2005, 1, 25).value();
    page.chart.AddChartPoint(page.chart.Series1, at("9:30"), 0.2);
    page.chart.AddChartPoint(page.chart.Series1, at("17:35"), 0.5);

    // The replayed cached answer: same day, a time that is already there.
    page.parse(dayAnswer("1/25/2005", "17:35"));

    EXPECT_EQ(page.chart.Series1.points(), (std::vector<ChartPoint>{{at("9:30"), 0.2}, {at("17:35"), 0.5}}));
    EXPECT_EQ(timeText(page.chart.timeAxis().minimum), "9:30:00");
    EXPECT_EQ(timeText(page.chart.timeAxis().maximum), "17:35:00");
}

TEST(IndexAnswer, aNewDayEmptiesTheChartBeforeAddingItsPoints)
{
    IndexPage page;
    page.parse(dayAnswer("1/25/2005", "17:35", "25"));
    ASSERT_EQ(page.chart.valueAxis().maximum, 3);

    page.parse(dayAnswer("1/26/2005", "9:05", "1"));

    EXPECT_EQ(page.chart.SeriesDate, Date::fromYmd(2005, 1, 26));
    EXPECT_EQ(page.chart.Series1.points(), (std::vector<ChartPoint>{{at("9:05"), 0.1}}));
    EXPECT_EQ(page.chart.Series2.points().size(), 1u);
    EXPECT_EQ(page.chart.Series4.points().size(), 1u);
    EXPECT_EQ(timeText(page.chart.timeAxis().minimum), "9:05:00");
    EXPECT_EQ(timeText(page.chart.timeAxis().maximum), "10:05:00");
    EXPECT_EQ(page.chart.valueAxis(), (AxisRange{-2, 1}));
}

TEST(IndexAnswer, anUnreadableDateStartsTheChartAfreshAndSoDoesTheNextReadableOne)
{
    IndexPage page;
    page.parse(dayAnswer("1/25/2005", "10:00"));

    page.parse(dayAnswer("N/A", "10:02"));
    EXPECT_TRUE(page.chart.SeriesDate.isNull());
    EXPECT_EQ(page.chart.Series1.points(), (std::vector<ChartPoint>{{at("10:02"), 0.5}}));

    // Unreadable again: still "no day", so the points gather as one day.
    page.parse(dayAnswer("N/A", "10:04"));
    EXPECT_EQ(page.chart.Series1.points().size(), 2u);

    page.parse(dayAnswer("1/25/2005", "10:06"));
    EXPECT_EQ(page.chart.SeriesDate, Date::fromYmd(2005, 1, 25));
    EXPECT_EQ(page.chart.Series1.points(), (std::vector<ChartPoint>{{at("10:06"), 0.5}}));
}

TEST(IndexAnswer, extraLinesAfterTheFourthAreIgnored)
{
    IndexPage page;
    LineList answer = dayAnswer("1/25/2005", "10:00");
    answer.push_back("garbage");
    answer.push_back("");
    EXPECT_TRUE(page.parse(answer));
    EXPECT_EQ(page.panel.text(MarketIndex::SPMIB, IndexField::Change), "+0,10");
}

// What an answer the parser cannot read leaves behind, whether it comes from the
// cache at start-up or from a fetch.
struct UnreadableCase
{
    const char* label;
    LineList lines;
};

std::vector<UnreadableCase> unreadableAnswers()
{
    const LineList good = dayAnswer("1/26/2005", "9:05", "-20", "30", "1");
    LineList threeLines(good.begin(), good.begin() + 3);
    LineList sevenFields = good;
    sevenFields[3] = "\"^SPMIB\";31200;1/26/2005;9:05;1;31300;31100";
    LineList trailingSeparator = good;
    trailingSeparator[2] = "\"^MIDEX\";35000;1/26/2005;9:05;1;35010;34900;";
    LineList blankLine = good;
    blankLine[1].clear();
    return {
        {"empty", {}},
        {"three lines", threeLines},
        {"seven fields in the last line", sevenFields},
        {"an empty last field is no field", trailingSeparator},
        {"a blank line", blankLine},
        {"one line", {good[0]}},
    };
}

TEST(IndexAnswer, anUnreadableAnswerAtStartUpChangesNothingButTheSpmibTexts)
{
    for (const auto& c : unreadableAnswers()) {
        SCOPED_TRACE(c.label);
        IndexPage page;
        page.parse(readAnswer("index-answer.csv"));
        const auto mibtel = page.panel.control(MarketIndex::MIBTEL, IndexField::Change);
        const auto mib30 = page.panel.control(MarketIndex::MIB30, IndexField::Change);
        const auto points = page.chart.Series2.points();
        const auto timeAxis = page.chart.timeAxis();
        const auto valueAxis = page.chart.valueAxis();
        page.hints.clear();

        EXPECT_FALSE(page.parse(c.lines));

        for (const IndexField field : IndexPanel::kFields)
            EXPECT_EQ(page.panel.control(MarketIndex::SPMIB, field), (PanelText{"", clBlue}));
        EXPECT_EQ(page.panel.control(MarketIndex::MIBTEL, IndexField::Change), mibtel);
        EXPECT_EQ(page.panel.control(MarketIndex::MIB30, IndexField::Change), mib30);
        EXPECT_EQ(page.panel.text(MarketIndex::MIDEX, IndexField::Time), "17.34");
        EXPECT_EQ(page.panel.dateHeader(), "Valori del 25/01/2005");
        EXPECT_EQ(page.chart.SeriesDate, Date::fromYmd(2005, 1, 25));
        EXPECT_EQ(page.chart.Series2.points(), points);
        EXPECT_EQ(page.chart.timeAxis(), timeAxis);
        EXPECT_EQ(page.chart.valueAxis(), valueAxis);
        EXPECT_TRUE(page.hints.empty());
    }
}

// The retry in a minute that follows is the fetch's: see FetchDispatch's tests.
TEST(IndexAnswer, anUnreadableAnswerOfAFetchIsRefusedAndLeavesTheRestAsItWas)
{
    for (const auto& c : unreadableAnswers()) {
        SCOPED_TRACE(c.label);
        IndexPage page;
        page.parse(readAnswer("index-answer.csv"));
        const auto mibtel = page.panel.control(MarketIndex::MIBTEL, IndexField::Value);
        const auto points = page.chart.Series1.points();
        page.startFetch();

        EXPECT_FALSE(page.parse(c.lines));

        EXPECT_EQ(page.panel.control(MarketIndex::MIBTEL, IndexField::Value), mibtel);
        EXPECT_EQ(page.panel.text(MarketIndex::SPMIB, IndexField::Value), "");
        EXPECT_EQ(page.chart.Series1.points(), points);
        EXPECT_EQ(page.chart.SeriesDate, Date::fromYmd(2005, 1, 25));
    }
}

TEST(IndexAnswer, theParserIsTheIndicesConnectionsSink)
{
    IndexPage page;
    AnswerSink& sink = page.parser;
    EXPECT_EQ(sink.take(dayAnswer("1/25/2005", "10:00"), AnswerOrigin::Live), AnswerVerdict::Read);
    EXPECT_EQ(page.panel.text(MarketIndex::MIBTEL, IndexField::Change), "+0,50");
    EXPECT_EQ(page.hints, std::vector<std::string>{"MIBTEL:+0,50 MIB30:-1,00 MIDEX:+0,05"});
}

// Arbitrary answers never break the chart's rules: one point per time in each
// line, and axes that always have room for every point.
TEST(IndexAnswer, randomAnswersKeepTheChartConsistent)
{
    std::mt19937 random(20050125);
    const std::vector<std::string> pieces = {
        "",  "1",   "-1",    "0.5", "N/A", "1/25/2005", "1/26/2005", "9:30", "9.31",    "25:00",
        "x", "1e5", "-0.04", "100", ";",   "/",         "\"",        " ",    "12:00pm", "2/29/2005"};
    IndexPage page;
    page.startFetch();
    for (int round = 0; round < 2000; ++round) {
        LineList answer;
        const auto lineCount = random() % 6;
        for (std::size_t k = 0; k < lineCount; ++k) {
            std::string text;
            const auto fieldCount = random() % 11;
            for (std::size_t f = 0; f < fieldCount; ++f)
                text += pieces[random() % pieces.size()] + (f + 1 < fieldCount ? ";" : "");
            answer.push_back(text);
        }
        page.parse(answer);

        for (const ChartSeries* series : {&page.chart.Series1, &page.chart.Series2, &page.chart.Series4}) {
            const auto& points = series->points();
            for (std::size_t i = 0; i < points.size(); ++i) {
                for (std::size_t j = i + 1; j < points.size(); ++j)
                    ASSERT_NE(points[i].x, points[j].x);
                ASSERT_GE(points[i].x, page.chart.timeAxis().minimum);
                ASSERT_LE(points[i].x, page.chart.timeAxis().maximum);
                ASSERT_GT(points[i].y, page.chart.valueAxis().minimum);
                ASSERT_LT(points[i].y, page.chart.valueAxis().maximum);
            }
        }
        ASSERT_GE(page.chart.timeAxis().maximum - page.chart.timeAxis().minimum,
                  IntradayChart::kOneHour * 0.999);
    }
}

} // namespace
} // namespace listorix
