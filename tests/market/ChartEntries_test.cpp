#include "grid/TAlignGrid.h"
#include "market/ChartEntries.h"

#include <gtest/gtest.h>

namespace listorix {
namespace {

struct Tables
{
    TAlignGrid shares{11, 3};
    TAlignGrid bonds{11, 3};
    TAlignGrid derivatives{11, 3};
    ChartTables chart{shares, bonds, derivatives};

    Tables()
    {
        shares.setCell(0, 1, "ENI.MI");
        shares.setCell(0, 2, "FIAT.MI");
        bonds.setCell(0, 1, "BTP.MI");
        derivatives.setCell(0, 1, "MINI.MI");
        for (TAlignGrid* grid : {&shares, &bonds, &derivatives})
            grid->setCurrentRow(1);
    }
};

TEST(ChartEntries, eachPeriodServesItsTablesFromTheFocusedOne)
{
    const struct
    {
        int period;
        const char* focused;
        const char* expected; // "" for nothing opened
    } cases[] = {
        {4, "shares", "http://host:81/q/bc?s=FIAT.MI&t=6m"},
        {1, "bonds", "http://host:81/q/bc?s=BTP.MI&t=1d"},
        {2, "bonds", "http://host:81/q/bc?s=BTP.MI&t=5d"},
        {3, "bonds", ""}, // the long-range charts do not serve bonds
        {7, "bonds", ""},
        {7, "derivatives", "http://host:81/q/bc?s=MINI.MI&t=5y"},
        {5, "none", ""}, // the funds table, or no table at all
        {8, "shares", ""},
    };
    for (const auto& c : cases) {
        Tables t;
        t.shares.setCurrentRow(2);
        const std::string focused = c.focused;
        t.shares.setFocused(focused == "shares");
        t.bonds.setFocused(focused == "bonds");
        t.derivatives.setFocused(focused == "derivatives");
        const auto url = chartEntryUrl(t.chart, "host:81", c.period);
        EXPECT_EQ(url.value_or(""), c.expected) << c.period << ' ' << c.focused;
    }
}

TEST(ChartEntries, codeIsTakenAsItStandsEvenWhenEmpty)
{
    Tables t;
    t.shares.setCell(0, 1, " eni mi ");
    t.shares.setFocused(true);
    EXPECT_EQ(chartEntryUrl(t.chart, "h", 1).value_or("-"), "http://h/q/bc?s= eni mi &t=1d");
    t.shares.setCell(0, 1, "");
    EXPECT_EQ(chartEntryUrl(t.chart, "h", 1).value_or("-"), "http://h/q/bc?s=&t=1d");
}

TEST(ChartEntries, onlyTheLongRangeEntriesGreyOnTheBondsTable)
{
    for (const ChartEntry& entry : kChartEntries) {
        EXPECT_TRUE(chartEntryEnabled(entry.period, false)) << entry.name;
        EXPECT_EQ(chartEntryEnabled(entry.period, true), entry.period <= 2) << entry.name;
    }
}

} // namespace
} // namespace listorix
