#include "chart/ChartTool.h"

#include "base/Windows1252.h"
#include "export/ChartPage.h"
#include "fetch/WebSourceMemory.h"
#include "market/QuoteServiceHost.h"
#include "settings/IniFile.h"
#include "settings/ProgramDir.h"
#include "settings/TiniConfig.h"
#include "websource/ChartHistory.h"
#include "websource/CurlTransport.h"
#include "websource/StopSignal.h"
#include "websource/WebSourceEndpoints.h"

#include <array>
#include <filesystem>
#include <string_view>

namespace listorix::chart {

namespace {

constexpr std::array<std::string_view, 7> kPeriodCodes = {"1d", "5d", "3mo", "6mo", "1y", "2y", "5y"};

std::optional<ChartPeriod> periodOf(std::string_view text)
{
    for (std::size_t i = 0; i < kPeriodCodes.size(); ++i) {
        if (text == kPeriodCodes[i] || text == std::to_string(i + 1))
            return kChartPeriods[i];
    }
    return std::nullopt;
}

} // namespace

std::string chartUsageText()
{
    return "Usage: listorix-chart --dir DIR [--out FILE] SYMBOL PERIOD\n"
           "Writes the chart page of SYMBOL over PERIOD (1d, 5d, 3mo, 6mo, 1y, 2y, 5y, or 1 to 7) from the\n"
           "web source named in DIR/LISTORIX.INI (WEB_GRAFICI, WEB_BORSA, WEB_RICERCA, WEB_CERTIFICATI),\n"
           "to FILE or DIR/grafico.html. Exit status 0 for a chart, 1 for a page that says why there is\n"
           "none, 2 when no page could be written.\n";
}

std::optional<ChartToolOptions> parseChartArguments(const std::vector<std::string>& arguments,
                                                    std::string& error)
{
    ChartToolOptions options;
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--help" || argument == "-h") {
            options.help = true;
            return options;
        }
        std::string* target = argument == "--dir"   ? &options.dir
                              : argument == "--out" ? &options.out
                                                    : nullptr;
        if (target) {
            if (i + 1 >= arguments.size() || arguments[i + 1].empty()) {
                error = argument + " needs a value";
                return std::nullopt;
            }
            *target = arguments[++i];
        } else if (argument.rfind("--", 0) == 0) {
            error = "unknown option: " + argument;
            return std::nullopt;
        } else {
            positional.push_back(argument);
        }
    }
    if (options.dir.empty() || positional.size() != 2) {
        error = "a folder (--dir), a symbol and a period are needed";
        return std::nullopt;
    }
    options.symbol = positional[0];
    const auto period = periodOf(positional[1]);
    if (!period) {
        error = "the period is one of 1d, 5d, 3mo, 6mo, 1y, 2y, 5y (or 1 to 7)";
        return std::nullopt;
    }
    options.period = *period;
    return options;
}

int runChartTool(const ChartToolOptions& options, std::ostream& out, std::ostream& err)
{
    const std::filesystem::path settingsFile = std::filesystem::path(options.dir) / kSettingsFileName;
    WebSourceEndpoints endpoints;
    CurlTransportOptions transportOptions;
    try {
        const IniFile ini(settingsFile);
        endpoints = webSourceEndpointsFromSettings(ini.readString(kServiceSection, kWebChartUrlKey),
                                                   ini.readString(kServiceSection, kWebExchangeUrlKey),
                                                   ini.readString(kServiceSection, kWebCertificatesKey),
                                                   ini.readString(kServiceSection, kWebSearchUrlKey));
        TiniConfig config;
        ReadConfig(config, settingsFile);
        transportOptions.proxy = config.proxy;
    } catch (const std::exception& error) {
        err << "listorix-chart: the settings file is not read (" << error.what() << "); the defaults apply\n";
    }
    transportOptions.certificatesFile = endpoints.certificatesFile;

    WebSourceMemory memory;
    memory.resolutions.useFile(settingsFile);
    StopSignal stop;
    CurlTransport transport(transportOptions, stop);
    const ChartHistoryResult result =
        memory.charts.fetch(options.symbol, options.period, endpoints, transport, stop);
    const bool chart = result.failure == ChartFailure::None;
    const std::string html = chart ? chartPageHtml(result.series, options.period, result.fetchedAt)
                                   : chartFailurePageHtml(options.symbol, options.period,
                                                          chartFailureText(result), result.fetchedAt);
    const std::string file = options.out.empty()
                                 ? (std::filesystem::path(options.dir) / kChartPageFileName).string()
                                 : options.out;
    const ReportWriteResult written = WriteChartPage(file, html);
    if (!written.written) {
        err << "listorix-chart: " << written.message << '\n';
        return 2;
    }
    out << file << '\n';
    if (!chart)
        err << "listorix-chart: " << utf8FromWindows1252(chartFailureText(result)) << '\n';
    return chart ? 0 : 1;
}

} // namespace listorix::chart
