// The settings file as the program loads it at start-up: settings, portfolio
// rows, column widths and chart series. Whatever the file holds, loading never
// fails, the portfolio gets one row per entry, every width is positive, and each
// chart line holds finite points at distinct times within its value axis.

#include "FuzzCheck.h"
#include "base/Date.h"
#include "grid/TAlignGrid.h"
#include "market/IntradayChart.h"
#include "settings/IniDocument.h"
#include "settings/TIniObject.h"
#include "settings/TiniConfig.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>

namespace {

using namespace listorix;

// The one settings file of this process, in a directory of its own that goes
// when the process ends.
class ScratchFile final
{
public:
    ScratchFile()
    {
        std::string dir = (std::filesystem::temp_directory_path() / "listorix-fuzz-XXXXXX").string();
        FUZZ_CHECK(::mkdtemp(dir.data()) != nullptr);
        m_dir = dir;
    }
    ~ScratchFile()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_dir, ignored);
    }
    std::filesystem::path path() const { return m_dir / "LISTORIX.INI"; }

private:
    std::filesystem::path m_dir;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const ScratchFile file;
    const std::string text(reinterpret_cast<const char*>(data), size);
    {
        std::ofstream out(file.path(), std::ios::binary | std::ios::trunc);
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
    }
    const IniDocument document(text);

    TiniConfig config;
    ReadConfig(config, file.path());
    FUZZ_CHECK(config.proxy.enabled ==
               (document.value("PROXY", "ENABLED") == std::optional<std::string>("S")));

    TIniObject ini = TIniObject::atPath(file.path());
    TAlignGrid grid(8, 2);
    ini.LoadGrid(kPortfolioSection, grid);
    ini.LoadColWidths(kPortfolioWidthsKey, grid);
    FUZZ_CHECK(grid.colCount() == 8);
    const std::size_t entries = document.sectionEntries(kPortfolioSection).size();
    FUZZ_CHECK(grid.rowCount() == (entries == 0 ? 2 : static_cast<int>(entries) + 1));
    for (int col = 0; col < grid.colCount(); ++col)
        FUZZ_CHECK(grid.colWidth(col) > 0);

    IntradayChart chart;
    chart.ResetChart();
    Date date;
    for (const auto& [section, series] :
         {std::pair{kMibtelSeriesSection, &chart.Series1}, std::pair{kMib30SeriesSection, &chart.Series2},
          std::pair{kMidexSeriesSection, &chart.Series4}}) {
        ini.LoadSeries(section, chart, *series, date);
        std::set<double> times;
        for (const ChartPoint& point : series->points()) {
            FUZZ_CHECK(std::isfinite(point.x) && std::isfinite(point.y));
            FUZZ_CHECK(times.insert(point.x).second);
            FUZZ_CHECK(chart.valueAxis().minimum <= point.y && point.y <= chart.valueAxis().maximum);
        }
    }
    FUZZ_CHECK(chart.timeAxis().minimum <= chart.timeAxis().maximum);
    return 0;
}
