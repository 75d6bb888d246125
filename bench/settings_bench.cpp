// Loading the settings file at start-up: the settings record, the portfolio
// rows and the day's chart series, read from one large LISTORIX.INI; and
// saving rows and series back at shutdown.
#include "base/TimeOfDay.h"
#include "grid/TAlignGrid.h"
#include "market/IntradayChart.h"
#include "portfolio/PortfolioTable.h"
#include "settings/IniFile.h"
#include "settings/TIniObject.h"
#include "settings/TiniConfig.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int kPortfolioRows = 500;
constexpr int kSeriesPoints = 400;
const char* const seriesSections[] = {"MIBTEL Series", "MIB30 Series", "MIDEX Series"};

// A settings file as a long-running user's would look, removed at exit.
class LargeSettingsFile final
{
public:
    LargeSettingsFile()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "listorix-bench-XXXXXX").string();
        std::vector<char> buffer(pattern.begin(), pattern.end());
        buffer.push_back('\0');
        if (::mkdtemp(buffer.data()) == nullptr)
            std::abort();
        m_dir = buffer.data();

        std::string text = "[Window]\r\nFormVersion=0\r\nNormPos=112,84,912,684\r\n";
        text +=
            "[PROXY]\r\nENABLED=S\r\nADDRESS=proxy\r\nPORT=8080\r\nUSERNAME=u\r\nPASSWORD=006E007C008A\r\n";
        text += "[CONNESSIONI]\r\n";
        for (const char* name : {"INDICI", "MIBTEL", "MIB30", "DERIVATI", "OBBLIGAZIONI", "FONDI"})
            text += std::string(name) + " ENABLED=1\r\n" + name + " INTERVALLO=15\r\n";
        text += "[Portafoglio]\r\n";
        for (int row = 1; row <= kPortfolioRows; ++row)
            text += std::to_string(row) + "=TA;ENI.MI;ENI;100;14,25;13,9;-0,35;14/03/2003\r\n";
        for (const char* section : seriesSections) {
            text += std::string("[") + section + "]\r\nDATA=14/03/2003\r\n";
            for (int point = 1; point <= kSeriesPoints; ++point)
                text += std::to_string(point) + "=9:" + std::to_string(point % 60) + ":00;-0,52\r\n";
        }
        std::ofstream(path(), std::ios::binary) << text;
    }
    ~LargeSettingsFile()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_dir, ignored);
    }
    LargeSettingsFile(const LargeSettingsFile&) = delete;
    LargeSettingsFile& operator=(const LargeSettingsFile&) = delete;

    std::filesystem::path path() const { return m_dir / "LISTORIX.INI"; }

private:
    std::filesystem::path m_dir;
};

const LargeSettingsFile& settingsFile()
{
    static const LargeSettingsFile file;
    return file;
}

// A copy for the benchmarks that write, so the readers always see the same file.
const LargeSettingsFile& scratchSettingsFile()
{
    static const LargeSettingsFile file;
    return file;
}

void BM_ReadConfig(benchmark::State& state)
{
    for (auto _ : state) {
        listorix::TiniConfig config;
        listorix::ReadConfig(config, settingsFile().path());
        benchmark::DoNotOptimize(config);
    }
}
BENCHMARK(BM_ReadConfig);

// Everything the start-up loads: rows by section, series key by key.
void BM_LoadPersistedTables(benchmark::State& state)
{
    for (auto _ : state) {
        const listorix::IniFile ini(settingsFile().path());
        auto rows = ini.readSection("Portafoglio");
        benchmark::DoNotOptimize(rows);
        for (const char* section : seriesSections) {
            for (int key = 1;; ++key) {
                const std::string point = ini.readString(section, std::to_string(key));
                if (point.empty())
                    break;
                benchmark::DoNotOptimize(point);
            }
        }
    }
}
BENCHMARK(BM_LoadPersistedTables);

// The same through TIniObject, into the tables and the chart.
void BM_LoadGridAndSeries(benchmark::State& state)
{
    listorix::TAlignGrid portfolio(11, 2);
    listorix::IntradayChart chart;
    listorix::Date date;
    listorix::ChartSeries* series[] = {&chart.Series1, &chart.Series2, &chart.Series4};
    for (auto _ : state) {
        listorix::TIniObject ini = listorix::TIniObject::atPath(settingsFile().path());
        ini.LoadGrid(listorix::kPortfolioSection, portfolio);
        chart.ResetChart();
        for (int i = 0; i < 3; ++i)
            ini.LoadSeries(seriesSections[i], chart, *series[i], date);
        benchmark::DoNotOptimize(chart.Series4.points().data());
    }
}
BENCHMARK(BM_LoadGridAndSeries);

// The shutdown save: the portfolio rows and three full series, one file
// replacement per section.
void BM_SaveGridAndSeries(benchmark::State& state)
{
    listorix::TAlignGrid portfolio(11, kPortfolioRows + 1);
    for (int row = 1; row <= kPortfolioRows; ++row)
        for (int col = 0; col < 8; ++col)
            portfolio.setCell(col, row, "cell " + std::to_string(col));
    listorix::IntradayChart chart;
    chart.ResetChart();
    listorix::ChartSeries* series[] = {&chart.Series1, &chart.Series2, &chart.Series4};
    for (listorix::ChartSeries* line : series)
        for (int point = 0; point < kSeriesPoints; ++point)
            chart.AddChartPoint(
                *line, listorix::TimeOfDay::fromHms(9, 0, 0)->dayFraction() + point / 86400.0 * 60, -0.52);
    const auto date = listorix::Date::fromYmd(2003, 3, 14).value();
    for (auto _ : state) {
        listorix::TIniObject ini = listorix::TIniObject::atPath(scratchSettingsFile().path());
        ini.SaveGrid(listorix::kPortfolioSection, portfolio, listorix::kPortfolioStoredColumns);
        for (int i = 0; i < 3; ++i)
            ini.SaveSeries(seriesSections[i], *series[i], date);
    }
}
BENCHMARK(BM_SaveGridAndSeries);

} // namespace
