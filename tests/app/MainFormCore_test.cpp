// The spine without a window: start-up, the tick and the fetch order, the reload
// and stop commands, the settings applied, and closing, with fake workers.
#include "AnsweringPrompts.h"
#include "FakeToolkit.h"
#include "ScratchDir.h"
#include "app/MainFormCore.h"
#include "app/StartUpSteps.h"
#include "fetch/TConnessione.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

namespace listorix {
namespace {

std::string readFile(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// Four index lines as the service answers them.
const char* const kIndexAnswer = "\"^MIBTEL\";30697.56;1/25/2005;15:30;+12.30;30700;30600;30685.26\r\n"
                                 "\"^MIB30\";31000.10;1/25/2005;15:30;-5.00;31010;30990;31005.10\r\n"
                                 "\"^MIDEX\";25000.00;1/25/2005;15:30;+1.00;25010;24990;24999.00\r\n"
                                 "\"^SPMIB\";31500.00;1/25/2005;15:30;+2.00;31510;31490;31498.00\r\n";

std::string securityLine(const std::string& symbol, const std::string& price)
{
    return "\"" + symbol + "\";\"" + symbol + " SPA\";" + price +
           ";1/25/2005;15:30;1;1;1;1;+0.5 - +1.00%;100\r\n";
}

class RecordingSteps final : public StartUpSteps
{
public:
    explicit RecordingSteps(MainFormCore*& core) : m_core(core) {}
    void bringSplashToFront() override { steps.push_back("splash"); }
    void showWebPage() override { steps.push_back("web page"); }
    void activateTrayIcon() override { steps.push_back("tray:" + m_core->trayHint().text()); }
    void closeSplash() override { steps.push_back("close splash"); }
    void enableWindow() override
    {
        steps.push_back("enable");
        sharesRowsWhenEnabled = m_core->StringGridYahoo().rowCount();
    }
    void refitMaximisedWindow() override { steps.push_back("refit"); }
    void navigateToStartPage(const std::string& url) override { steps.push_back("navigate:" + url); }

    std::vector<std::string> steps;
    int sharesRowsWhenEnabled = 0;

private:
    MainFormCore*& m_core;
};

class MainFormCoreTest : public ::testing::Test
{
protected:
    MainFormCoreTest()
    {
        dir.write("A_azioni.lst", "ENI.MI\r\nTIT.MI\r\n");
        dir.write("O_obbligazioni.lst", "BTP.MI\r\n");
        dir.write("D_derivati.lst", "FIB.MI\r\n");
        dir.write("F_fondi.lst", "FND.MI\r\n");
    }

    MainFormCore& start()
    {
        core = std::make_unique<MainFormCore>(MainFormCore::Toolkit{mainThread, timer, prompts},
                                              MainFormCore::Options{dir.dir(), ',', &workers, {}});
        corePointer = core.get();
        core->FormCreate();
        core->FormShow(steps);
        return *core;
    }
    TConnessione& connection(ConnectionId id) { return *core->connection(id); }
    // The request list's first URL of a connection, as the worker receives it.
    std::string firstUrl(ConnectionId id)
    {
        const std::string& entry = connection(id).Requests.at(0);
        return entry.substr(0, entry.find('\t'));
    }
    void answerRunningFetch()
    {
        TConnessione* running = core->CurrentConnection();
        ASSERT_NE(running, nullptr);
        workers.answer(running == core->connection(ConnectionId::Indici) ? kIndexAnswer
                                                                         : securityLine("ENI.MI", "14.5"));
    }

    test::ScratchDir dir;
    test::FakeMainThread mainThread;
    test::FakeTimer timer;
    test::AnsweringPrompts prompts;
    test::FakeWorkers workers{mainThread};
    MainFormCore* corePointer = nullptr;
    RecordingSteps steps{corePointer};
    std::unique_ptr<MainFormCore> core;
};

TEST_F(MainFormCoreTest, startUpReplaysTheCachesBeforeTheWindowIsEnabledAndRunsOnce)
{
    dir.write("y_mibtel.dat", securityLine("ENI.MI", "14.5") + securityLine("TIT.MI", "2.1"));
    dir.write("i.dat", kIndexAnswer);
    start();

    EXPECT_EQ(steps.steps,
              (std::vector<std::string>{"splash", "web page", "tray:MIBTEL:+0,04 MIB30:-0,02 MIDEX:+0,00",
                                        "close splash", "enable", "refit",
                                        "navigate:" + core->catalogue().HomePageUrl}));
    EXPECT_EQ(steps.sharesRowsWhenEnabled, 3);
    EXPECT_EQ(core->indexPanel().dateHeader(), "Valori del 25/01/2005");
    EXPECT_TRUE(timer.enabled);
    EXPECT_TRUE(workers.requested.empty());
    // The replay writes no cache file.
    EXPECT_FALSE(std::filesystem::exists(dir.file("y_obb.dat")));

    EXPECT_FALSE(core->FormShow(steps));
    EXPECT_EQ(steps.steps.size(), 7u);
}

TEST_F(MainFormCoreTest, theFirstTickFetchesTheIndicesAndTheOthersFollowOnePerFetch)
{
    start();
    const std::vector<ConnectionId> order = {ConnectionId::Indici, ConnectionId::Azioni,
                                             ConnectionId::Obbligazioni, ConnectionId::Derivati,
                                             ConnectionId::Fondi};
    for (std::size_t k = 0; k < order.size(); ++k) {
        core->Timer1Timer();
        ASSERT_EQ(core->CurrentConnection(), &connection(order[k])) << k;
        EXPECT_EQ(workers.requested.back(), firstUrl(order[k]));
        EXPECT_FALSE(timer.enabled);
        // The connections dispatched before count on; the waiting ones are not counted.
        for (std::size_t before = 0; before < k; ++before)
            EXPECT_EQ(connection(order[before]).Elapsed, static_cast<int>(k - before)) << before;
        for (std::size_t after = k + 1; after < order.size(); ++after)
            EXPECT_EQ(connection(order[after]).Elapsed, -1);
        answerRunningFetch();
        EXPECT_TRUE(timer.enabled);
    }
    EXPECT_EQ(workers.requested.size(), 5u);
    EXPECT_EQ(core->LabelFondiTimer().text(), "END");
    EXPECT_EQ(core->LabelINDICITimer().text(), "01.56");
    EXPECT_TRUE(std::filesystem::exists(dir.file("i.dat")));
    EXPECT_TRUE(std::filesystem::exists(dir.file("y_fondi.dat")));
    EXPECT_EQ(core->StringGridYahoo().cell(0, 1), "ENI.MI");
}

// The alerts of a table are checked where the portfolio is revalued, after each
// live download of it: never on the replay of its cache at start-up.
TEST_F(MainFormCoreTest, aLiveDownloadChecksTheAlertsAndTheReplayNeverDoes)
{
    dir.write("LISTORIX.INI", "[Avvisi]\r\n1=TA;ENI.MI;14;;;A--;ENI\r\n");
    dir.write("y_mibtel.dat", securityLine("ENI.MI", "14.2")); // above the level already
    start();
    EXPECT_EQ(core->StringGridYahoo().cell(2, 1), "14,2");
    EXPECT_EQ(core->notices().lastText(), "");

    core->Timer1Timer();
    answerRunningFetch(); // the indices: no alerts there
    EXPECT_EQ(core->notices().lastText(), "");
    core->Timer1Timer();
    answerRunningFetch(); // the shares, ENI.MI at 14,5
    EXPECT_EQ(core->notices().lastTitle(), "Listorix");
    EXPECT_EQ(core->notices().lastText(), "ENI.MI: 14,5 >= 14,0");
    EXPECT_EQ(core->LabelStatus().text(), "ENI.MI: 14,5 >= 14,0");
    EXPECT_TRUE(core->StringGridYahoo().effectiveFont(2, 1).bold);
}

TEST_F(MainFormCoreTest, countdownsStandStillDuringAFetch)
{
    start();
    core->Timer1Timer();
    answerRunningFetch(); // indices
    core->Timer1Timer();  // shares start; the indices count one second
    const std::string during = core->LabelINDICITimer().text();
    EXPECT_EQ(during, "01.59");
    EXPECT_FALSE(timer.enabled);
    // Nothing ticks while the timer is off: however long the fetch takes.
    answerRunningFetch();
    EXPECT_EQ(connection(ConnectionId::Indici).Elapsed, 1);
    EXPECT_EQ(core->LabelINDICITimer().text(), during);
}

TEST_F(MainFormCoreTest, aSwitchedOffConnectionIsReplayedButNeverFetched)
{
    dir.write("LISTORIX.INI", "[CONNESSIONI]\r\nDERIVATI ENABLED=0\r\n");
    dir.write("y_derivati.dat", securityLine("FIB.MI", "1.5"));
    start();

    EXPECT_EQ(core->StringGridYahooDerivati().cell(0, 1), "FIB.MI");
    EXPECT_FALSE(core->pageTabs().visible(MainPage::YahooDerivati));
    EXPECT_TRUE(core->pageTabs().visible(MainPage::Yahoo));
    for (int tick = 0; tick < 8; ++tick) {
        core->Timer1Timer();
        if (core->CurrentConnection())
            answerRunningFetch();
    }
    EXPECT_EQ(workers.requested.size(), 4u);
    EXPECT_EQ(
        std::count(workers.requested.begin(), workers.requested.end(), firstUrl(ConnectionId::Derivati)), 0);
    EXPECT_EQ(core->LabelYahooDerivatiTimer().text(), "");
}

TEST_F(MainFormCoreTest, reloadOnThePortfolioRevaluesAndOnTheWebPageGivesTheHoldBack)
{
    start();
    core->LabelPortafoglioTot().setText("stale");
    core->SpeedButtonReloadClick(MainPage::Portafoglio);
    EXPECT_NE(core->LabelPortafoglioTot().text(), "stale");

    core->SpeedButtonReloadClick(MainPage::Web);
    EXPECT_TRUE(workers.requested.empty());
    EXPECT_TRUE(timer.enabled);
    EXPECT_FALSE(connection(ConnectionId::Indici).IsLocked());
    core->Timer1Timer(); // the schedule goes on
    EXPECT_EQ(core->CurrentConnection(), &connection(ConnectionId::Indici));
}

TEST_F(MainFormCoreTest, reloadOnACategoryPageFetchesItsConnectionDueOrNotEnabledOrNot)
{
    dir.write("LISTORIX.INI", "[CONNESSIONI]\r\nFONDI ENABLED=0\r\n");
    start();
    core->SpeedButtonReloadClick(MainPage::Fondi);
    EXPECT_EQ(core->CurrentConnection(), &connection(ConnectionId::Fondi));
    EXPECT_TRUE(connection(ConnectionId::Fondi).IsLocked());
    answerRunningFetch();
    EXPECT_EQ(connection(ConnectionId::Fondi).Elapsed, 0);
    EXPECT_TRUE(timer.enabled);
}

TEST_F(MainFormCoreTest, reloadDuringAFetchWaitsForItToEnd)
{
    start();
    core->Timer1Timer(); // indices
    workers.running().finish(true, kIndexAnswer);
    core->SpeedButtonReloadClick(MainPage::Yahoo); // serves the completion, then fetches
    EXPECT_EQ(core->CurrentConnection(), &connection(ConnectionId::Azioni));
    EXPECT_GT(mainThread.waits, 0);
    EXPECT_TRUE(prompts.shown.empty());
}

TEST_F(MainFormCoreTest, stopWithoutAFetchOnlyGivesTheHoldBack)
{
    start();
    core->Timer1Timer();
    answerRunningFetch();
    ASSERT_TRUE(core->LockAll());
    const int elapsed = connection(ConnectionId::Indici).Elapsed;
    const std::string label = core->LabelINDICITimer().text();

    core->SpeedButtonStopClick();
    EXPECT_TRUE(timer.enabled);
    EXPECT_FALSE(connection(ConnectionId::Azioni).IsLocked());
    EXPECT_EQ(connection(ConnectionId::Indici).Elapsed, elapsed);
    EXPECT_EQ(connection(ConnectionId::Azioni).Elapsed, -1);
    EXPECT_EQ(core->LabelINDICITimer().text(), label);
}

TEST_F(MainFormCoreTest, stopDuringAFetchEndsItAndRestartsTheWaitingConnections)
{
    start();
    core->Timer1Timer();
    workers.running().partial = kIndexAnswer;
    core->SpeedButtonStopClick();

    EXPECT_EQ(core->CurrentConnection(), nullptr);
    EXPECT_EQ(core->indexPanel().dateHeader(), "Valori del 25/01/2005");
    for (const ConnectionId id : {ConnectionId::Azioni, ConnectionId::Fondi})
        EXPECT_EQ(connection(id).Elapsed, 0);
    EXPECT_EQ(core->LabelYahooTimer().text(), "05.00");
    EXPECT_TRUE(timer.enabled);
    core->Timer1Timer();
    EXPECT_EQ(core->CurrentConnection(), nullptr);
}

TEST_F(MainFormCoreTest, okAppliesFixedIntervalsAndTheCheckBoxesMib30StoredOnly)
{
    start();
    ConfigurationControls& controls = core->settingsInForce().controls();
    controls.CheckBoxDerivatiEnable = false;
    controls.CheckBoxMIB30Enable = false;
    controls.selector(SelectorRow::Indici).stepMinutes(+5);
    ASSERT_EQ(core->settingsInForce().BitBtn1Click(), std::nullopt);

    EXPECT_FALSE(core->pageTabs().visible(MainPage::YahooDerivati));
    EXPECT_FALSE(connection(ConnectionId::Derivati).Enabled);
    for (const MainPage page : {MainPage::Indici, MainPage::Yahoo, MainPage::YahooOBB, MainPage::Fondi})
        EXPECT_TRUE(core->pageTabs().visible(page));
    const std::vector<int> intervals = {
        connection(ConnectionId::Indici).IntervalSeconds, connection(ConnectionId::Azioni).IntervalSeconds,
        connection(ConnectionId::Obbligazioni).IntervalSeconds,
        connection(ConnectionId::Derivati).IntervalSeconds, connection(ConnectionId::Fondi).IntervalSeconds};
    EXPECT_EQ(intervals, (std::vector<int>{120, 300, 300, 300, 10800}));

    controls.CheckBoxDerivatiEnable = true;
    ASSERT_EQ(core->settingsInForce().BitBtn1Click(), std::nullopt);
    EXPECT_TRUE(core->pageTabs().visible(MainPage::YahooDerivati));
}

TEST_F(MainFormCoreTest, closingDuringAFetchDropsItsAnswerAndStillSaves)
{
    dir.write("LISTORIX.INI", "[Portafoglio]\r\n1=ENI.MI;ENI SPA;TA;10;;;12,5;01/01/2005\r\n");
    dir.write("y_mibtel.dat", securityLine("ENI.MI", "14.5"));
    start();
    core->Timer1Timer();
    answerRunningFetch(); // indices
    core->Timer1Timer();  // shares
    workers.running().finish(true, securityLine("TIT.MI", "2.1"));

    EXPECT_TRUE(core->FormCloseQuery());
    EXPECT_TRUE(core->FormDestroy().empty());
    mainThread.runAll();

    EXPECT_EQ(core->StringGridYahoo().cell(0, 1), "ENI.MI");
    EXPECT_EQ(readFile(dir.file("y_mibtel.dat")), securityLine("ENI.MI", "14.5"));
    EXPECT_EQ(core->connection(ConnectionId::Azioni), nullptr);
    const std::string saved = readFile(dir.file("LISTORIX.INI"));
    EXPECT_NE(saved.find("1=ENI.MI;ENI SPA;TA;10;25/01;14,5;12,5000;01/01/2005\r\n"), std::string::npos)
        << saved;
    EXPECT_NE(saved.find("[Grids]"), std::string::npos);
    EXPECT_NE(saved.find("[MIBTEL Series]\r\nDATA=25/01/2005\r\n1=15:30:00;0,04"), std::string::npos)
        << saved;
    EXPECT_FALSE(core->fetchState().fetching());
}

TEST_F(MainFormCoreTest, closingBeforeStartUpLeavesTheSavedPortfolioAlone)
{
    const std::string saved = "[Portafoglio]\r\n1=ENI.MI;ENI SPA;TA;10;;;12,5;01/01/2005\r\n";
    dir.write("LISTORIX.INI", saved);
    MainFormCore early(MainFormCore::Toolkit{mainThread, timer, prompts},
                       MainFormCore::Options{dir.dir(), ',', &workers, {}});
    early.FormCreate();
    early.FormCloseQuery();
    early.FormDestroy();
    EXPECT_EQ(readFile(dir.file("LISTORIX.INI")), saved);
}

TEST_F(MainFormCoreTest, aSettingsPathThatCannotBeReadGivesDefaultsAndEveryShutdownSaveIsRefused)
{
    // A directory where the settings file should be: unreadable, so never written.
    std::filesystem::create_directory(dir.file("LISTORIX.INI"));
    start();
    EXPECT_EQ(core->StringGridPortafoglio().cell(0, 1), ""); // defaults: an empty portfolio

    const std::vector<std::string> errors = core->FormDestroy();
    ASSERT_FALSE(errors.empty());
    const std::string refused = "Unable to write to " + dir.file("LISTORIX.INI").string();
    for (const std::string& error : errors)
        EXPECT_EQ(error, refused);
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("LISTORIX.INI")));
    // The user is told once what was not saved, each distinct error once.
    EXPECT_EQ(MainFormCore::savesFailedText(errors),
              "Impossibile salvare portafoglio, larghezze delle colonne e grafico:\r" + refused);
    EXPECT_EQ(MainFormCore::savesFailedText({}), "");
    EXPECT_EQ(MainFormCore::savesFailedText({"a", "b", "a"}),
              "Impossibile salvare portafoglio, larghezze delle colonne e grafico:\ra\rb");
}

} // namespace
} // namespace listorix
