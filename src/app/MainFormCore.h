#pragma once

#include "app/MainPage.h"
#include "base/TextSlot.h"
#include "fetch/FetchDispatch.h"
#include "fetch/QuoteSourceWorkers.h"
#include "fetch/Schedule.h"
#include "fetch/TThreadHttp.h"
#include "grid/TAlignGrid.h"
#include "market/Catalogue.h"
#include "market/IndexPanel.h"
#include "market/IntradayChart.h"
#include "market/QuoteCategory.h"
#include "settings/SettingsInForce.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace listorix {

class FetchIndicator;
class IndexAnswerParser;
class MainThread;
class PageVisibility;
class Portfolio;
class Prompts;
class QuoteTableSorting;
class SecurityAnswer;
class StartUpSteps;
class TConnessione;
class TickTimer;

// The main window's state and behaviour without the window: the composition root
// that TMainForm owns and forwards its events to. It holds the five tables, the
// index panel and chart, the portfolio, the five connections and their schedule,
// the fetch, the labels' texts and the settings in force; it runs the start-up
// sequence, the one-second tick, the reload and stop commands and the shutdown's
// saves. No toolkit type: what it needs of the toolkit comes in through Toolkit.
// Main thread only.
class MainFormCore final
{
public:
    // The toolkit behind the core's seams; everything must outlive the core.
    struct Toolkit
    {
        MainThread& mainThread; // posted calls and serving events while waiting
        TickTimer& Timer1;      // calls Timer1Timer every second while enabled
        Prompts& prompts;       // message boxes
        FetchIndicator& fetchIndicator;
        PageVisibility& pages;
    };

    struct Options
    {
        // ProgramDir: the settings file, the ticker lists, the cache files and the
        // start page lie there. With its trailing separator.
        std::string programDir;
        // The user's locale decimal separator, for the clipboard export.
        char userDecimalSeparator = ',';
        // Makes the worker of each request; empty gives the workers of the quote
        // source in force when each is created (TThreadHttp for "csv" and "demo",
        // the web source's for "web"), with the proxy in force. Tests hand in fakes.
        WorkerFactory makeWorker;
        HttpTimeouts httpTimeouts;
        // Where the ticker lists and web/ are read from, in search order
        // (DataReadDirs); programDir alone when empty.
        std::vector<std::string> readDirs{};
    };

    // What FormCreate sets up beyond the window: the five tables' design, the sort
    // state, the portfolio wired to its table, an empty AnswerLines, no connection.
    MainFormCore(Toolkit toolkit, Options options);
    // Stops a fetch still running (FormDestroy's first step) before anything is freed.
    ~MainFormCore();
    MainFormCore(const MainFormCore&) = delete;
    MainFormCore& operator=(const MainFormCore&) = delete;

    // --- Window events ----------------------------------------------------------

    // FormCreate's core step: the tabs of the five categories are hidden.
    void FormCreate();
    // The start-up sequence, on the first call only (later calls return false at
    // once): catalogue; LoadSettings; the five connections wired to their labels,
    // tables, cache files and parse routines; ApplySettings; the saved portfolio,
    // widths and series; the replay of the five caches; the tray hint;
    // RevaluePortfolio; Timer1 on. The widget steps are called on `steps` in their
    // place.
    bool FormShow(StartUpSteps& steps);
    // The tick, Timer1's handler.
    void Timer1Timer();
    // Reload ("Collegamento") on the active page: the portfolio page revalues; a
    // category page waits until idle and fetches its connection now (due or not,
    // enabled or not); the web page fetches nothing and gives the hold back.
    void SpeedButtonReloadClick(MainPage activePage);
    // "Stop": a running request is closed and its completion waited for; the
    // connections that are due restart their countdowns; the hold is given back.
    void SpeedButtonStopClick();
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
    // The check boxes in force: fixed intervals 2, 5, 5, 5 and 180 minutes, each
    // connection's Enabled, and each category page shown exactly when its
    // connection is enabled. Called at start-up and after "OK" in the dialog.
    void ApplySettings();

    bool LockAll() { return m_schedule.LockAll(); }
    void UnlockAll() { m_schedule.UnlockAll(); }
    void WaitUntilIdle() { m_schedule.WaitUntilIdle(); }

    // --- What the window draws --------------------------------------------------

    TAlignGrid& StringGridYahoo() { return m_gridYahoo; }
    TAlignGrid& StringGridYahooOBB() { return m_gridYahooOBB; }
    TAlignGrid& StringGridYahooDerivati() { return m_gridYahooDerivati; }
    TAlignGrid& StringGridFondi() { return m_gridFondi; }
    TAlignGrid& StringGridPortafoglio() { return m_gridPortafoglio; }
    TAlignGrid& quoteTable(QuoteCategory category);
    // The table of the page: the four category pages and the portfolio page; none
    // on the index and web pages.
    TAlignGrid* ActiveGrid(MainPage activePage);

    IndexPanel& indexPanel() { return m_indexPanel; }
    IntradayChart& Chart1() { return m_chart; }
    Portfolio& portfolio() { return *m_portfolio; }
    QuoteTableSorting& sorting() { return *m_sorting; }
    SettingsInForce& settingsInForce() { return m_settings; }
    const Catalogue& catalogue() const { return m_catalogue; }

    TextSlot& LabelStatus() { return m_labelStatus; }
    TextSlot& LabelTransfer() { return m_labelTransfer; }
    TextSlot& LabelINDICITimer() { return countdownLabel(ConnectionId::Indici); }
    TextSlot& LabelYahooTimer() { return countdownLabel(ConnectionId::Azioni); }
    TextSlot& LabelYahooOBBTimer() { return countdownLabel(ConnectionId::Obbligazioni); }
    TextSlot& LabelYahooDerivatiTimer() { return countdownLabel(ConnectionId::Derivati); }
    TextSlot& LabelFondiTimer() { return countdownLabel(ConnectionId::Fondi); }
    TextSlot& countdownLabel(ConnectionId id);
    TextSlot& LabelPortafoglioTot() { return m_labelPortafoglioTot; }
    TextSlot& LabelPortafoglioTotGuadagno() { return m_labelPortafoglioTotGuadagno; }
    // The notification icon's hint (the three index changes).
    TextSlot& trayHint() { return m_trayHint; }

    // --- State ------------------------------------------------------------------

    // None before the start-up sequence and after FormDestroy.
    TConnessione* connection(ConnectionId id);
    TConnessione* CurrentConnection() const { return m_fetch.CurrentConnection(); }
    const LineList& AnswerLines() const { return m_fetch.AnswerLines(); }
    bool InTick() const { return m_schedule.InTick(); }
    bool timer1Enabled() const { return m_schedule.timerEnabled(); }
    char UserDecimalSeparator() const { return m_options.userDecimalSeparator; }
    // The proxy controls of the configuration dialog as they stand: the quote
    // requests read them at each request, the web tab's browser when they change.
    ProxySettings proxyInForce() const;
    const std::string& programDir() const { return m_options.programDir; }
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
    void createConnections();
    void loadSavedState();
    void replayCaches();
    void refreshTrayHint();
    void onFetchEnded(TConnessione& connection, FetchOutcome outcome);
    RequestSettings requestSettingsInForce() const;

    Toolkit m_toolkit;
    Options m_options;

    TextSlot m_labelStatus;
    TextSlot m_labelTransfer;
    std::array<TextSlot, 5> m_countdownLabels;
    TextSlot m_labelPortafoglioTot;
    TextSlot m_labelPortafoglioTotGuadagno;
    TextSlot m_trayHint;

    TAlignGrid m_gridYahoo;
    TAlignGrid m_gridYahooOBB;
    TAlignGrid m_gridYahooDerivati;
    TAlignGrid m_gridFondi;
    TAlignGrid m_gridPortafoglio;
    IndexPanel m_indexPanel;
    IntradayChart m_chart;
    std::unique_ptr<QuoteTableSorting> m_sorting;
    std::unique_ptr<Portfolio> m_portfolio;
    std::unique_ptr<SecurityAnswer> m_securityAnswer;
    std::unique_ptr<IndexAnswerParser> m_indexAnswer;

    SettingsInForce m_settings;
    Catalogue m_catalogue;
    FetchDispatch m_fetch;
    Schedule m_schedule;

    std::function<void(ConnectionId, FetchOutcome)> m_fetchEnded;
    bool m_firstShow = true;
    bool m_started = false;
    bool m_destroyed = false;
};

} // namespace listorix
