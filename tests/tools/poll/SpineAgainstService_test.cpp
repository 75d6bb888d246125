// The whole spine with its real workers and HTTP client against the demo quote
// service on loopback: a full cycle of the five categories, the service's faults,
// and the proxy in force as the configuration dialog leaves it.
#include "PollTestSupport.h"
#include "QuotedTestSupport.h"
#include "app/HeadlessToolkit.h"
#include "app/MainFormCore.h"
#include "app/StartUpSteps.h"
#include "fetch/TConnessione.h"

#include <gtest/gtest.h>
#include <utility>

namespace listorix {
namespace {

using namespace std::chrono_literals;
using quoted::testing::RunningServer;
using test::ProgramFolder;

// The program without a window on the core's event loop, its seconds counted
// without waiting for them.
struct Spine
{
    explicit Spine(const ProgramFolder& folder)
        : loop(std::make_unique<VirtualLoopClock>()),
          toolkit(loop, [this](const std::string& kind,
                               const std::string& text) { messages.push_back(kind + ": " + text); }),
          core(toolkit.toolkit(), MainFormCore::Options{folder.dir.dir(), ',', {}, HttpTimeouts{5s, 10s}})
    {
        toolkit.attach(core);
        core.setFetchEndedObserver(
            [this](ConnectionId id, FetchOutcome outcome) { ended.emplace_back(id, outcome); });
        core.FormCreate();
        StartUpSteps noWindow;
        core.FormShow(noWindow);
    }
    ~Spine() { core.FormDestroy(); }

    void runUntilFetches(std::size_t count)
    {
        loop.serveEventsUntil([&] { return ended.size() >= count; });
    }
    TConnessione& connection(ConnectionId id) { return *core.connection(id); }

    EventLoop loop;
    HeadlessToolkit toolkit;
    MainFormCore core;
    std::vector<std::pair<ConnectionId, FetchOutcome>> ended;
    std::vector<std::string> messages;
};

const std::vector<std::pair<ConnectionId, FetchOutcome>> kCycle(FetchOutcome outcome)
{
    return {{ConnectionId::Indici, outcome},
            {ConnectionId::Azioni, outcome},
            {ConnectionId::Obbligazioni, outcome},
            {ConnectionId::Derivati, outcome},
            {ConnectionId::Fondi, outcome}};
}

TEST(SpineAgainstService, aFullCycleFillsTheTablesTheCachesAndTheCountdowns)
{
    RunningServer service;
    const ProgramFolder folder("127.0.0.1:" + std::to_string(service.port()));
    Spine spine(folder);
    spine.runUntilFetches(5);

    EXPECT_EQ(spine.ended, kCycle(FetchOutcome::Answered));
    EXPECT_TRUE(spine.messages.empty());
    EXPECT_EQ(spine.core.LabelStatus().text(), "");
    EXPECT_EQ(spine.core.indexPanel().dateHeader(), "Valori del 25/01/2005");

    const struct
    {
        const char* tickerList;
        const char* cacheFile;
        TAlignGrid& grid;
    } categories[] = {
        {"A_azioni.lst", "y_mibtel.dat", spine.core.StringGridYahoo()},
        {"O_obbligazioni.lst", "y_obb.dat", spine.core.StringGridYahooOBB()},
        {"D_derivati.lst", "y_derivati.dat", spine.core.StringGridYahooDerivati()},
        {"F_fondi.lst", "y_fondi.dat", spine.core.StringGridFondi()},
    };
    for (const auto& c : categories) {
        SCOPED_TRACE(c.cacheFile);
        const int symbols = static_cast<int>(quoted::testing::sampleTickers(c.tickerList).size());
        EXPECT_EQ(c.grid.rowCount(), symbols + 1);
        const std::string cache = test::readFile(folder.file(c.cacheFile));
        EXPECT_EQ(test::countLines(cache), symbols);
        EXPECT_EQ(std::count(cache.begin(), cache.end(), '\n'), symbols); // every line ends with CR LF
    }
    EXPECT_EQ(test::countLines(test::readFile(folder.file("i.dat"))), 4);

    // Each connection restarted when its fetch ended, and counts the idle seconds
    // since; the last one shows the end of its fetch until the next tick.
    EXPECT_EQ(spine.core.LabelINDICITimer().text(), "01.56");
    EXPECT_EQ(spine.core.LabelYahooTimer().text(), "04.57");
    EXPECT_EQ(spine.core.LabelYahooOBBTimer().text(), "04.58");
    EXPECT_EQ(spine.core.LabelYahooDerivatiTimer().text(), "04.59");
    EXPECT_EQ(spine.core.LabelFondiTimer().text(), "END");

    // Two minutes of idle seconds later the indices are due again, and come first;
    // the shares, after them in the order, were counted in that tick too.
    spine.runUntilFetches(6);
    EXPECT_EQ(spine.ended.back(), std::make_pair(ConnectionId::Indici, FetchOutcome::Answered));
    EXPECT_EQ(spine.core.LabelYahooTimer().text(), "03.00");
}

TEST(SpineAgainstService, aFailingServiceLeavesTheCachesAndRetriesInAMinute)
{
    quoted::Faults failing;
    failing.failingPaths["/d/quotes.csv"] = 500;
    quoted::Faults cut;
    cut.cutAfterBytes = 120;
    for (const auto& [name, faults] : {std::pair{"--fail", failing}, std::pair{"--cut-after", cut}}) {
        SCOPED_TRACE(name);
        RunningServer service(faults);
        const ProgramFolder folder("127.0.0.1:" + std::to_string(service.port()));
        for (const char* cache : test::kCacheFiles)
            folder.dir.write(cache, "\"OLD.MI\";\"OLD\";1.5;1/24/2005;17:35\r\n");
        Spine spine(folder);
        spine.runUntilFetches(5);

        EXPECT_EQ(spine.ended, kCycle(FetchOutcome::Failed));
        for (const char* cache : test::kCacheFiles)
            EXPECT_EQ(test::readFile(folder.file(cache)), "\"OLD.MI\";\"OLD\";1.5;1/24/2005;17:35\r\n")
                << cache;
        EXPECT_EQ(spine.core.StringGridYahoo().cell(0, 1), "OLD.MI");
        EXPECT_EQ(spine.core.LabelStatus().text().rfind("Errore contattando l'url: http://127.0.0.1:", 0), 0u)
            << spine.core.LabelStatus().text();
        EXPECT_EQ(spine.core.LabelFondiTimer().text(), "END");
        EXPECT_EQ(spine.connection(ConnectionId::Fondi).Elapsed, 180 * 60 - 60);
        EXPECT_EQ(spine.core.LabelINDICITimer().text(), "56");

        // A minute of idle seconds after its failure the indices try again.
        spine.runUntilFetches(6);
        EXPECT_EQ(spine.ended.back().first, ConnectionId::Indici);
    }
}

TEST(SpineAgainstService, requestsGoThroughTheProxyInForceAndAnnullaKeepsTypedValuesOut)
{
    RunningServer proxy; // the service also answers as a proxy
    // The quote host itself refuses every connection: only the proxy can answer.
    const ProgramFolder folder("127.0.0.1:1", "[PROXY]\r\nENABLED=S\r\nADDRESS=127.0.0.1\r\nPORT=" +
                                                  std::to_string(proxy.port()) + "\r\n");
    Spine spine(folder);
    spine.runUntilFetches(1);
    EXPECT_EQ(spine.ended.back(), std::make_pair(ConnectionId::Indici, FetchOutcome::Answered));

    SettingsInForce& settings = spine.core.settingsInForce();
    settings.Execute();
    settings.controls().proxy.port = "1";
    settings.BitBtn2Click(); // "Annulla"
    spine.core.SpeedButtonReloadClick(MainPage::Indici);
    spine.runUntilFetches(2);
    EXPECT_EQ(spine.ended.back(), std::make_pair(ConnectionId::Indici, FetchOutcome::Answered));

    settings.Execute();
    settings.controls().proxy.enabled = false;
    settings.CheckBoxProxyClick();
    ASSERT_EQ(settings.BitBtn1Click(), std::nullopt); // "OK"
    spine.core.SpeedButtonReloadClick(MainPage::Indici);
    spine.runUntilFetches(3);
    EXPECT_EQ(spine.ended.back(), std::make_pair(ConnectionId::Indici, FetchOutcome::Failed));
    EXPECT_EQ(spine.core.LabelStatus().text().rfind("Errore contattando l'url: http://127.0.0.1:1/", 0), 0u);
}

} // namespace
} // namespace listorix
