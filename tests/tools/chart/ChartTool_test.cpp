// listorix-chart against the demo quote service: a chart page for every period of a
// share, a bond (the exchange's service) and a fund (through the search), and the
// pages that say why there is no chart. The pages stay in the build folder
// (chart-pages/) to be looked at.
#include "QuotedTestSupport.h"
#include "ScratchDir.h"
#include "chart/ChartTool.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sstream>

namespace listorix {
namespace {

using quoted::testing::RunningServer;

std::string readFile(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

struct Folder
{
    explicit Folder(std::uint16_t port)
    {
        const std::string address = "http://127.0.0.1:" + std::to_string(port);
        std::ofstream(dir.file("LISTORIX.INI"), std::ios::binary)
            << "[SERVIZIO]\r\nSORGENTE=web\r\nWEB_GRAFICI=" << address << "\r\nWEB_BORSA=" << address
            << "\r\nWEB_RICERCA=" << address << "\r\n";
    }
    test::ScratchDir dir;
};

struct ToolRun
{
    int status = -1;
    std::string page;
    std::string err;
};

ToolRun runTool(const Folder& folder, const std::string& symbol, const std::string& period,
                const std::string& keepAs)
{
    std::string error;
    const auto options =
        chart::parseChartArguments({"--dir", folder.dir.path().string(), symbol, period}, error);
    EXPECT_TRUE(options) << error;
    std::ostringstream out;
    std::ostringstream err;
    ToolRun run;
    run.status = chart::runChartTool(*options, out, err);
    run.err = err.str();
    const std::filesystem::path page = folder.dir.file("grafico.html");
    EXPECT_EQ(out.str(), page.string() + '\n');
    run.page = readFile(page);
    const std::filesystem::path kept = std::filesystem::path(LISTORIX_BINARY_DIR) / "chart-pages";
    std::filesystem::create_directories(kept);
    std::filesystem::copy_file(page, kept / (keepAs + ".html"),
                               std::filesystem::copy_options::overwrite_existing);
    return run;
}

TEST(ChartTool, writesAChartPageForEveryPeriodOfAShareABondAndAFund)
{
    RunningServer service;
    const Folder folder(service.port());
    const struct
    {
        const char* symbol;
        const char* name;
        std::vector<std::string> periods;
    } securities[] = {
        {"ENI.MI", "ENI", {"1d", "5d", "3mo", "6mo", "1y", "2y", "5y"}},
        {"IT0005026163.MI", "BTP 01/02/2026 0,50%", {"1d", "5d", "1y"}},
        {"IT0004389109.MI", "EURIZON AZIONI ITALIA", {"1d", "5y"}},
    };
    for (const auto& security : securities) {
        for (const std::string& period : security.periods) {
            SCOPED_TRACE(std::string(security.symbol) + ' ' + period);
            const ToolRun run =
                runTool(folder, security.symbol, period, std::string(security.symbol) + '-' + period);
            EXPECT_EQ(run.status, 0) << run.err;
            EXPECT_NE(run.page.find(std::string("<h1>") + security.symbol + " - " + security.name + "</h1>"),
                      std::string::npos)
                << run.page.substr(0, 600);
            EXPECT_NE(run.page.find("<polyline "), std::string::npos);
            EXPECT_NE(run.page.find("Dati scaricati il "), std::string::npos);
        }
    }
    // The day's chart of a share: its session's minutes, every 5, on an h:mm axis.
    const std::string day =
        readFile(std::filesystem::path(LISTORIX_BINARY_DIR) / "chart-pages" / "ENI.MI-1d.html");
    EXPECT_NE(day.find("\">9:00</text>"), std::string::npos);
    EXPECT_NE(day.find("\">15:30</text>"), std::string::npos);
}

TEST(ChartTool, writesThePageThatSaysWhyWhenThereIsNoChart)
{
    RunningServer service;
    const Folder folder(service.port());
    const ToolRun unknown = runTool(folder, "NOPE.MI", "1y", "failure-no-data");
    EXPECT_EQ(unknown.status, 1);
    EXPECT_NE(unknown.page.find("non ha dati"), std::string::npos);
    EXPECT_NE(unknown.err.find("non ha dati"), std::string::npos);

    quoted::Faults limited;
    limited.edgeRateLimitStatus = 429;
    limited.retryAfterSeconds = 120;
    RunningServer refusing(limited);
    const Folder refused(refusing.port());
    const ToolRun tooMany = runTool(refused, "ENI.MI", "5d", "failure-rate-limited");
    EXPECT_EQ(tooMany.status, 1);
    EXPECT_NE(tooMany.page.find("troppe richieste e chiede di aspettare: riprova fra 2 minuti"),
              std::string::npos);

    const Folder nowhere(1);
    const ToolRun offline = runTool(nowhere, "ENI.MI", "1d", "failure-no-connection");
    EXPECT_EQ(offline.status, 1);
    EXPECT_NE(offline.page.find("Nessuna connessione con la sorgente web"), std::string::npos);
}

TEST(ChartTool, argumentsThatDoNotReadAreRefused)
{
    for (const std::vector<std::string>& arguments : {std::vector<std::string>{"ENI.MI", "1d"},
                                                      {"--dir", "/tmp", "ENI.MI"},
                                                      {"--dir", "/tmp", "ENI.MI", "2w"},
                                                      {"--dir", "/tmp", "ENI.MI", "8"},
                                                      {"--dir"},
                                                      {"--colour", "--dir", "/tmp", "ENI.MI", "1d"}}) {
        std::string error;
        EXPECT_FALSE(chart::parseChartArguments(arguments, error));
        EXPECT_FALSE(error.empty());
    }
    std::string error;
    const auto numbered =
        chart::parseChartArguments({"--dir", "/tmp", "--out", "/tmp/x.html", "ENI.MI", "7"}, error);
    ASSERT_TRUE(numbered);
    EXPECT_EQ(numbered->period, ChartPeriod::FiveYears);
    EXPECT_EQ(numbered->out, "/tmp/x.html");
}

} // namespace
} // namespace listorix
