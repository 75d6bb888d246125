#pragma once

#include "alerts/AlertBook.h"
#include "app/ChartPages.h"
#include "app/DesktopNotices.h"
#include "app/FetchState.h"
#include "app/MainPage.h"
#include "app/PageTabs.h"
#include "base/TextSlot.h"
#include "fetch/QuoteFetch.h"
#include "fetch/QuoteSourceWorkers.h"
#include "grid/TAlignGrid.h"
#include "market/Catalogue.h"
#include "market/IndexAnswer.h"
#include "market/IndexPanel.h"
#include "market/IntradayChart.h"
#include "market/QuoteTableSorting.h"
#include "market/SecurityAnswer.h"
#include "portfolio/Portfolio.h"
#include "settings/SettingsInForce.h"

#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace listorix {

class MainThread;
class Prompts;
class RequestSource;
class StartUpSteps;
class TConnessione;
class TickTimer;

// The main window's state and behaviour without the window, which owns it and
// forwards its events to it. It holds the five tables, the index panel and chart,
// the portfolio, the fetch of the quotes with its connections, the labels' texts
// and the settings in force; it runs the start-up sequence, the reload and stop
// commands and the shutdown's saves, and revalues the portfolio after each answer.
// No toolkit type: what it needs of the toolkit comes in through Toolkit. Main
// thread only.
class MainFormCore final : private FetchObserver
{
public:
    // The toolkit behind the core's seams; everything must outlive the core.
    struct Toolkit
    {
        MainThread& mainThread; // posted calls and serving events while waiting
        TickTimer& Timer1;      // calls Timer1Timer every second while enabled
        Prompts& prompts;       // message boxes
    };

    struct Options
    {
        // ProgramDir: the settings file, the ticker lists, the cache files and the
        // start page lie there. With its trailing separator.
        std::string programDir;
        // The user's locale decimal separator, for the clipboard export.
        char userDecimalSeparator = ',';
        // Where the requests go; none gives the quote sources of the settings in
        // force (QuoteSourceWorkers). Tests hand in fakes, which must outlive the core.
        RequestSource* requests = nullptr;
        HttpTimeouts httpTimeouts;
        // Where the ticker lists and web/ are read from, in search order
        // (DataReadDirs); programDir alone when empty.
        std::vector<std::string> readDirs{};
    };

    // What FormCreate sets up beyond the window: the five tables' design, the sort
    // state, the portfolio wired to its table, an empty AnswerLines, no connection.
    MainFormCore(Toolkit toolkit, Options options);
    // Stops a fetch still running (FormDestroy's first step) before anything is freed.
    ~MainFormCore() override;
    MainFormCore(const MainFormCore&) = delete;
    MainFormCore& operator=(const MainFormCore&) = delete;

    // --- Window events ----------------------------------------------------------

    // FormCreate's core step: the tabs of the five categories are hidden.
    void FormCreate();
    // The start-up sequence, on the first call only (later calls return false at
    // once): catalogue; LoadSettings; the five connections made with their labels,
    // requests and sinks; ApplySettings; the saved portfolio, widths and series;
    // the replay of the five caches; the tray hint; RevaluePortfolio; Timer1 on.
    // The widget steps are called on `steps` in their place.
    bool FormShow(StartUpSteps& steps);
    // The tick, Timer1's handler.
    void Timer1Timer() { m_fetch.Timer1Timer(); }
    // Reload ("Collegamento") on the active page: the portfolio page revalues; a
    // category page waits until idle and fetches its connection now (due or not,
    // enabled or not); the web page fetches nothing and gives the hold back.
    void SpeedButtonReloadClick(MainPage activePage);
    // "Stop": a running request is closed and its completion waited for; the
    // connections that are due restart their countdowns; the hold is given back.
    void SpeedButtonStopClick() { m_fetch.stop(); }
    // Switches every connection off so that no fetch starts while closing; always
    // allows the close.
    bool FormCloseQuery();
    // Stops a running fetch (its partial answer is neither parsed nor cached), then
    // saves the portfolio rows (8 columns), the column widths of the five tables and
    // the three series, then frees the connections. A save that fails is skipped
    // and the others still run; the errors are returned. Runs once.
    std::vector<std::string> FormDestroy();
    // What the user is told when FormDestroy's saves failed: one line saying what
    // was not saved, then each distinct error once, CR between lines; empty when
    // nothing failed.
    static std::string savesFailedText(const std::vector<std::string>& errors);
    // The portfolio's rows saved now, as closing saves them (after an import).
    // Throws FileWriteError when the settings file cannot be written.
    void savePortfolioRows();
    // The check boxes in force: the fixed intervals of the category table, each
    // connection's Enabled, and each category page shown exactly when its
    // connection is enabled. Called at start-up and after "OK" in the dialog.
    void ApplySettings();

    bool LockAll() { return m_fetch.schedule().LockAll(); }
    void UnlockAll() { m_fetch.schedule().UnlockAll(); }
    void WaitUntilIdle() { m_fetch.schedule().WaitUntilIdle(); }

    // --- What the window draws --------------------------------------------------

    // The table of a quote connection (not the indices).
    TAlignGrid& quoteTable(ConnectionId id) { return m_quoteTables[quoteIndexOf(id).value_or(0)]; }
    TAlignGrid& StringGridYahoo() { return quoteTable(ConnectionId::Azioni); }
    TAlignGrid& StringGridYahooOBB() { return quoteTable(ConnectionId::Obbligazioni); }
    TAlignGrid& StringGridYahooDerivati() { return quoteTable(ConnectionId::Derivati); }
    TAlignGrid& StringGridFondi() { return quoteTable(ConnectionId::Fondi); }
    TAlignGrid& StringGridPortafoglio() { return m_gridPortafoglio; }
    // The table of the page: the four category pages and the portfolio page; none
    // on the index and web pages.
    TAlignGrid* ActiveGrid(MainPage activePage);

    IndexPanel& indexPanel() { return m_indexPanel; }
    IntradayChart& Chart1() { return m_chart; }
    Portfolio& portfolio() { return m_portfolio; }
    QuoteTableSorting& sorting() { return m_sorting; }
    SettingsInForce& settingsInForce() { return m_settings; }
    const Catalogue& catalogue() const { return m_catalogue; }

    TextSlot& LabelStatus() { return m_labelStatus; }
    TextSlot& LabelTransfer() { return m_labelTransfer; }
    TextSlot& countdownLabel(ConnectionId id) { return m_countdownLabels[indexOf(id)]; }
    TextSlot& LabelINDICITimer() { return countdownLabel(ConnectionId::Indici); }
    TextSlot& LabelYahooTimer() { return countdownLabel(ConnectionId::Azioni); }
    TextSlot& LabelYahooOBBTimer() { return countdownLabel(ConnectionId::Obbligazioni); }
    TextSlot& LabelYahooDerivatiTimer() { return countdownLabel(ConnectionId::Derivati); }
    TextSlot& LabelFondiTimer() { return countdownLabel(ConnectionId::Fondi); }
    TextSlot& LabelPortafoglioTot() { return m_labelPortafoglioTot; }
    TextSlot& LabelPortafoglioTotGuadagno() { return m_labelPortafoglioTotGuadagno; }
    // The notification icon's hint (the three index changes).
    TextSlot& trayHint() { return m_trayHint; }
    // Whether a fetch runs (the tool bar) and which pages show their tab.
    FetchState& fetchState() { return m_fetchState; }
    PageTabs& pageTabs() { return m_pageTabs; }
    // The price alerts, checked after each live download of a quote table, and
    // the notifications of those that fire.
    AlertBook& alerts() { return m_alerts; }
    DesktopNotices& notices() { return m_notices; }
    // With the web source the chart entries show a chart the program draws: the
    // page of `code` over period 1 (1 day) to 7 (5 years) is fetched off the main
    // thread and told to the chart pages' observer once written.
    bool drawsChartPages() const { return m_settings.controls().ComboBoxSorgente == QuoteSource::Web; }
    void openChartPage(const std::string& code, int period);
    ChartPages& chartPages() { return m_chartPages; }
    // The four quote tables, for the portfolio and the alerts' dialogs.
    CategoryTables categoryTables() { return CategoryTables{quoteTablePointers()}; }

    // --- State ------------------------------------------------------------------

    // None before the start-up sequence and after FormDestroy.
    TConnessione* connection(ConnectionId id);
    TConnessione* CurrentConnection() const { return m_fetch.CurrentConnection(); }
    const LineList& AnswerLines() const { return m_fetch.AnswerLines(); }
    bool InTick() const { return m_fetch.schedule().InTick(); }
    bool timer1Enabled() const { return m_fetch.schedule().timerEnabled(); }
    char UserDecimalSeparator() const { return m_options.userDecimalSeparator; }
    // The quote host of the source in force (the csv and demo sources' requests
    // and chart pages go there).
    std::string quoteHostInForce() const;
    // The proxy in force: the configuration dialog's proxy controls as they stand.
    const ProxySettings& proxyInForce() const { return m_settings.controls().proxy; }
    const std::string& programDir() const { return m_options.programDir; }
    // Where the requests go (the absolute URL of a request entry).
    RequestSource& requestSource() { return m_requestSource; }
    std::filesystem::path settingsFilePath() const;
    bool started() const { return m_started; }

    // Told after every live fetch has ended (listorix-poll prints the tables then).
    void setFetchEndedObserver(std::function<void(ConnectionId, FetchOutcome)> observer)
    {
        m_fetchEnded = std::move(observer);
    }
    // The running fetch ends after its current request (see FetchDispatch).
    void finishAfterCurrentRequest() { m_fetch.finishAfterCurrentRequest(); }

private:
    // FetchObserver: the end of the road.
    void answerRead(ConnectionId id) override;
    void fetchEnded(ConnectionId id, FetchOutcome outcome) override;

    void createConnections();
    void loadSavedState();
    void refreshTrayHint();
    std::array<TAlignGrid*, 4> quoteTablePointers();
    static std::array<bool, 5> enabledConnections(const ConfigurationControls& controls);

    Toolkit m_toolkit;
    Options m_options;

    TextSlot m_labelStatus;
    TextSlot m_labelTransfer;
    std::array<TextSlot, 5> m_countdownLabels;
    TextSlot m_labelPortafoglioTot;
    TextSlot m_labelPortafoglioTotGuadagno;
    TextSlot m_trayHint;
    FetchState m_fetchState;
    PageTabs m_pageTabs;

    // The tables of kQuoteConnections, in that order.
    std::array<TAlignGrid, 4> m_quoteTables;
    TAlignGrid m_gridPortafoglio;
    IndexPanel m_indexPanel;
    IntradayChart m_chart;
    QuoteTableSorting m_sorting;
    Portfolio m_portfolio;
    // The sinks the connections are made with: each quote table's and the panel's.
    std::array<std::unique_ptr<SecurityAnswer>, 4> m_securityAnswers;
    IndexAnswerParser m_indexAnswer;

    SettingsInForce m_settings;
    AlertBook m_alerts;
    DesktopNotices m_notices;
    Catalogue m_catalogue;
    // The web source's memory of the run, shared by the quotes and the chart pages.
    std::shared_ptr<WebSourceMemory> m_web;
    ChartPages m_chartPages;
    std::unique_ptr<QuoteSourceWorkers> m_sources; // when the options name no request source
    RequestSource& m_requestSource;
    QuoteFetch m_fetch;

    std::function<void(ConnectionId, FetchOutcome)> m_fetchEnded;
    bool m_firstShow = true;
    bool m_started = false;
    bool m_destroyed = false;
};

} // namespace listorix
