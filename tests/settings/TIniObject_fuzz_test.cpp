#include "SettingsTestSupport.h"
#include "base/Date.h"
#include "grid/TAlignGrid.h"
#include "market/IntradayChart.h"
#include "settings/IniDocument.h"
#include "settings/TIniObject.h"

#include <array>
#include <cmath>
#include <gtest/gtest.h>
#include <random>
#include <set>
#include <string>
#include <string_view>

namespace listorix {
namespace {

using test::ScratchDir;
using test::writeBytes;

// Settings files of random lines, half of them shaped like saved rows and points:
// loading never fails, the table gets one row per entry, and each chart line holds
// distinct times inside axes that are well ordered.
TEST(TIniObjectFuzz, randomFilesLoadIntoWellFormedTablesAndCharts)
{
    constexpr unsigned kSeed = 20030314;
    std::mt19937 random(kSeed);
    const std::array<std::string_view, 8> headers = {"[Portafoglio]",
                                                     "[MIBTEL Series]",
                                                     "[MIB30 Series]",
                                                     "[MIDEX Series]",
                                                     "[mibtel series]",
                                                     "[Grids]",
                                                     "[",
                                                     ""};
    const std::array<std::string_view, 8> keys = {"1", "2", "3", "01", "DATA", "data", "x", ""};
    const std::array<std::string_view, 24> pieces = {"9",
                                                     "30",
                                                     ":",
                                                     ".",
                                                     ";",
                                                     ",",
                                                     "-",
                                                     "1",
                                                     "14/03/2003",
                                                     "/",
                                                     "2003",
                                                     " ",
                                                     "\"",
                                                     "e",
                                                     "E308",
                                                     "99",
                                                     "0",
                                                     "59",
                                                     "\t",
                                                     "N/A",
                                                     "=",
                                                     "\xff",
                                                     std::string_view("\0", 1),
                                                     "12:00:00"};
    auto pick = [&](const auto& from) { return from[random() % from.size()]; };

    ScratchDir dir;
    const auto file = dir.file("LISTORIX.INI");
    for (int i = 0; i < 400; ++i) {
        SCOPED_TRACE(testing::Message() << "seed " << kSeed << ", iteration " << i);
        std::string text;
        for (int n = static_cast<int>(random() % 16); n > 0; --n) {
            if (random() % 4 == 0) {
                text += pick(headers);
            } else {
                text += pick(keys);
                text += random() % 6 ? "=" : "";
                for (int m = static_cast<int>(random() % 6); m > 0; --m)
                    text += pick(pieces);
            }
            text += random() % 5 ? "\r\n" : "\n";
        }
        writeBytes(file, text);
        SCOPED_TRACE(text);

        TIniObject reader = TIniObject::atPath(file);
        TAlignGrid grid(8, 2);
        reader.LoadGrid(kPortfolioSection, grid);
        EXPECT_EQ(grid.colCount(), 8);
        const auto entries = IniDocument(text).sectionEntries(kPortfolioSection).size();
        EXPECT_EQ(grid.rowCount(), entries == 0 ? 2 : static_cast<int>(entries) + 1);

        IntradayChart chart;
        chart.ResetChart();
        Date date;
        for (const auto& [section, series] :
             {std::pair{kMibtelSeriesSection, &chart.Series1}, std::pair{kMib30SeriesSection, &chart.Series2},
              std::pair{kMidexSeriesSection, &chart.Series4}}) {
            reader.LoadSeries(section, chart, *series, date);
            std::set<double> times;
            for (const ChartPoint& point : series->points()) {
                EXPECT_TRUE(std::isfinite(point.x) && std::isfinite(point.y));
                EXPECT_TRUE(times.insert(point.x).second) << "two points at " << point.x;
                // No bound on x: a point at 0:00 (an unreadable time) leaves the left
                // edge unfixed, so the next point moves the edge past it.
                EXPECT_GE(point.y, chart.valueAxis().minimum);
                EXPECT_LE(point.y, chart.valueAxis().maximum);
            }
        }
        EXPECT_LE(chart.timeAxis().minimum, chart.timeAxis().maximum);
        EXPECT_LE(chart.valueAxis().minimum, chart.valueAxis().maximum);
    }
}

} // namespace
} // namespace listorix
