#include "app/MainFormCore.h"

#include "app/StartUpSteps.h"
#include "fetch/QuoteSourceWorkers.h"
#include "fetch/TConnessione.h"
#include "fetch/TickTimer.h"
#include "market/IndexAnswer.h"
#include "market/QuoteTableSorting.h"
#include "market/QuoteTables.h"
#include "market/SecurityAnswer.h"
#include "market/TrayHint.h"
#include "portfolio/CategoryTables.h"
#include "portfolio/Portfolio.h"
#include "portfolio/PortfolioTable.h"
#include "settings/IniFile.h"
#include "settings/ProgramDir.h"
#include "settings/TIniObject.h"

#include <algorithm>
#include <cstddef>
#include <exception>
#include <utility>

namespace listorix {

namespace {

// Each connection's table, cache file and page, in the fixed order.
struct ConnectionWiring
{
    const char* cacheFileName;
    MainPage page;
};

constexpr std::array<ConnectionWiring, 5> kWiring = {{
    {"i.dat", MainPage::Indici},
    {"y_mibtel.dat", MainPage::Yahoo},
    {"y_obb.dat", MainPage::YahooOBB},
    {"y_derivati.dat", MainPage::YahooDerivati},
    {"y_fondi.dat", MainPage::Fondi},
}};

// The fixed intervals in force, whatever the dialog's time selectors show.
constexpr std::array<int, 5> kIntervalMinutes = {2, 5, 5, 5, 180};

std::optional<ConnectionId> connectionOfPage(MainPage page)
{
    for (std::size_t k = 0; k < kWiring.size(); ++k) {
        if (kWiring[k].page == page)
            return kConnectionOrder[k];
    }
    return std::nullopt;
}

std::size_t indexOf(ConnectionId id)
{
    return static_cast<std::size_t>(id);
}

// One step of start-up or shutdown whose failure must not stop the others.
template <typename Step>
void tryStep(Step&& step, std::vector<std::string>* errors = nullptr)
{
    try {
        step();
    } catch (const std::exception& error) {
        if (errors)
            errors->emplace_back(error.what());
    } catch (...) {
    }
}

} // namespace

MainFormCore::MainFormCore(Toolkit toolkit, Options options)
    : m_toolkit(toolkit), m_options(std::move(options)), m_settings(settingsFilePath()),
      m_fetch(toolkit.mainThread, toolkit.prompts, toolkit.fetchIndicator, m_labelStatus, m_labelTransfer,
              m_options.programDir,
              m_options.makeWorker ? m_options.makeWorker
                                   : quoteSourceWorkerFactory(
                                         toolkit.mainThread, [this] { return requestSettingsInForce(); },
                                         m_options.httpTimeouts),
              FetchHooks{[this] { m_portfolio->RevaluePortfolio(); }, [this] { m_schedule.UnlockAll(); },
                         [this](TConnessione& connection, FetchOutcome outcome) {
                             onFetchEnded(connection, outcome);
                         }}),
      m_schedule(toolkit.Timer1, toolkit.mainThread, m_fetch)
{
    setUpQuoteTable(m_gridYahoo, QuoteCategory::Shares);
    setUpQuoteTable(m_gridYahooOBB, QuoteCategory::Bonds);
    setUpQuoteTable(m_gridYahooDerivati, QuoteCategory::Derivatives);
    setUpQuoteTable(m_gridFondi, QuoteCategory::Funds);
    setUpPortfolioTable(m_gridPortafoglio);
    m_sorting =
        std::make_unique<QuoteTableSorting>(m_gridYahoo, m_gridYahooOBB, m_gridYahooDerivati, m_gridFondi);
    m_portfolio = std::make_unique<Portfolio>(
        m_gridPortafoglio, CategoryTables{m_gridYahoo, m_gridYahooOBB, m_gridYahooDerivati, m_gridFondi},
        m_labelPortafoglioTot, m_labelPortafoglioTotGuadagno);
    m_portfolio->connectTableEvents();
    m_securityAnswer = std::make_unique<SecurityAnswer>(m_labelStatus, *m_sorting);
    m_indexAnswer = std::make_unique<IndexAnswerParser>(m_indexPanel, m_chart, m_labelStatus,
                                                        [this] { refreshTrayHint(); });
    m_settings.setApplySettings([this] { ApplySettings(); });
}

MainFormCore::~MainFormCore()
{
    // Nothing outside may hear of a fetch that ends now.
    m_fetchEnded = nullptr;
    m_fetch.abandonFetch();
}

std::filesystem::path MainFormCore::settingsFilePath() const
{
    return std::filesystem::path(m_options.programDir) / kSettingsFileName;
}

void MainFormCore::FormCreate()
{
    for (const ConnectionWiring& wiring : kWiring)
        m_toolkit.pages.setPageVisible(wiring.page, false);
}

bool MainFormCore::FormShow(StartUpSteps& steps)
{
    if (!m_firstShow)
        return false;
    m_firstShow = false;

    tryStep([this] {
        CatalogueOptions options;
        options.programDir = m_options.programDir;
        options.readDirs = m_options.readDirs;
        options.quoteServiceHost =
            IniFile(settingsFilePath())
                .readString(kServiceSection, kServiceHostKey, kDefaultQuoteServiceHost);
        BuildCatalogue(m_catalogue, options);
    });
    tryStep([this] { m_settings.LoadSettings(); });
    createConnections();
    steps.bringSplashToFront();
    ApplySettings();
    steps.showWebPage();
    loadSavedState();
    replayCaches();
    refreshTrayHint();
    steps.activateTrayIcon();
    tryStep([this] { m_portfolio->RevaluePortfolio(); });
    steps.closeSplash();
    steps.enableWindow();
    steps.refitMaximisedWindow();
    steps.navigateToStartPage(m_catalogue.HomePageUrl);
    m_started = true;
    m_schedule.setTimerEnabled(true);
    return true;
}

void MainFormCore::createConnections()
{
    m_schedule.createConnections({&m_catalogue.IndiciUrls, &m_catalogue.AzioniUrls,
                                  &m_catalogue.ObbligazioniUrls, &m_catalogue.DerivatiUrls,
                                  &m_catalogue.FondiUrls},
                                 {&m_countdownLabels[0], &m_countdownLabels[1], &m_countdownLabels[2],
                                  &m_countdownLabels[3], &m_countdownLabels[4]});
    const std::array<TAlignGrid*, 5> grids = {nullptr, &m_gridYahoo, &m_gridYahooOBB, &m_gridYahooDerivati,
                                              &m_gridFondi};
    for (std::size_t k = 0; k < kConnectionOrder.size(); ++k) {
        TConnessione& connection = m_schedule.connection(kConnectionOrder[k]);
        connection.Grid = grids[k];
        connection.CacheFileName = kWiring[k].cacheFileName;
        connection.OnAnswer = k == 0 ? m_indexAnswer->answerCallback() : m_securityAnswer->callback();
    }
}

void MainFormCore::loadSavedState()
{
    tryStep([this] {
        TIniObject saved = TIniObject::atPath(settingsFilePath());
        saved.LoadGrid(kPortfolioSection, m_gridPortafoglio);
        saved.LoadColWidths(kPortfolioWidthsKey, m_gridPortafoglio);
        m_portfolio->MarkPersonalRowsEditable();
        saved.LoadColWidths(kSharesWidthsKey, m_gridYahoo);
        saved.LoadColWidths(kBondsWidthsKey, m_gridYahooOBB);
        saved.LoadColWidths(kDerivativesWidthsKey, m_gridYahooDerivati);
        saved.LoadColWidths(kFundsWidthsKey, m_gridFondi);
        m_chart.ResetChart();
        saved.LoadSeries(kMibtelSeriesSection, m_chart, m_chart.Series1, m_chart.SeriesDate);
        saved.LoadSeries(kMib30SeriesSection, m_chart, m_chart.Series2, m_chart.SeriesDate);
        saved.LoadSeries(kMidexSeriesSection, m_chart, m_chart.Series4, m_chart.SeriesDate);
    });
}

void MainFormCore::replayCaches()
{
    for (const ConnectionId id : kConnectionOrder)
        m_fetch.StartFetch(m_schedule.connection(id), true);
}

void MainFormCore::refreshTrayHint()
{
    m_trayHint.setText(trayHintText(m_indexPanel));
}

void MainFormCore::ApplySettings()
{
    if (!m_schedule.hasConnections())
        return;
    const ConfigurationControls& controls = m_settings.controls();
    const std::array<bool, 5> enabled = {controls.CheckBoxIndiciEnable, controls.CheckBoxMIBTELEnable,
                                         controls.CheckBoxOBBEnable, controls.CheckBoxDerivatiEnable,
                                         controls.CheckBoxfondiEnable};
    for (std::size_t k = 0; k < kConnectionOrder.size(); ++k)
        m_schedule.connection(kConnectionOrder[k]).SetIntervalMinutes(kIntervalMinutes[k]);
    for (std::size_t k = 0; k < kConnectionOrder.size(); ++k)
        m_schedule.connection(kConnectionOrder[k]).Enabled = enabled[k];
    for (std::size_t k = 0; k < kConnectionOrder.size(); ++k)
        m_toolkit.pages.setPageVisible(kWiring[k].page, enabled[k]);
}

void MainFormCore::Timer1Timer()
{
    m_schedule.Timer1Timer();
}

void MainFormCore::SpeedButtonReloadClick(MainPage activePage)
{
    if (activePage == MainPage::Portafoglio) {
        m_portfolio->RevaluePortfolio();
        return;
    }
    if (!m_schedule.hasConnections() || m_destroyed)
        return;
    m_schedule.WaitUntilIdle();
    // The wait served events: the window may have been closed meanwhile.
    if (!m_schedule.hasConnections() || m_destroyed)
        return;
    const std::optional<ConnectionId> id = connectionOfPage(activePage);
    if (!id) {
        m_schedule.UnlockAll();
        return;
    }
    m_fetch.StartFetch(m_schedule.connection(*id), false);
}

void MainFormCore::SpeedButtonStopClick()
{
    if (m_fetch.CurrentConnection()) {
        m_fetch.StopWorker();
        if (m_schedule.hasConnections()) {
            for (const ConnectionId id : kConnectionOrder) {
                TConnessione& connection = m_schedule.connection(id);
                if (connection.IsDue())
                    connection.Restart();
            }
        }
    }
    m_schedule.UnlockAll();
}

bool MainFormCore::FormCloseQuery()
{
    if (m_schedule.hasConnections()) {
        for (const ConnectionId id : kConnectionOrder)
            m_schedule.connection(id).Enabled = false;
    }
    return true;
}

std::vector<std::string> MainFormCore::FormDestroy()
{
    std::vector<std::string> errors;
    if (m_destroyed)
        return errors;
    m_destroyed = true;
    FormCloseQuery();
    m_fetch.abandonFetch();
    m_schedule.setTimerEnabled(false);
    // Before the start-up sequence has loaded them, the tables hold nothing of
    // the user's: saving them would wipe the saved portfolio.
    if (m_started) {
        TIniObject saved = TIniObject::atPath(settingsFilePath());
        tryStep([&] { saved.SaveGrid(kPortfolioSection, m_gridPortafoglio, kPortfolioStoredColumns); },
                &errors);
        tryStep([&] { saved.SaveColWidths(kPortfolioWidthsKey, m_gridPortafoglio); }, &errors);
        tryStep([&] { saved.SaveColWidths(kSharesWidthsKey, m_gridYahoo); }, &errors);
        tryStep([&] { saved.SaveColWidths(kBondsWidthsKey, m_gridYahooOBB); }, &errors);
        tryStep([&] { saved.SaveColWidths(kDerivativesWidthsKey, m_gridYahooDerivati); }, &errors);
        tryStep([&] { saved.SaveColWidths(kFundsWidthsKey, m_gridFondi); }, &errors);
        tryStep([&] { saved.SaveSeries(kMibtelSeriesSection, m_chart.Series1, m_chart.SeriesDate); },
                &errors);
        tryStep([&] { saved.SaveSeries(kMib30SeriesSection, m_chart.Series2, m_chart.SeriesDate); }, &errors);
        tryStep([&] { saved.SaveSeries(kMidexSeriesSection, m_chart.Series4, m_chart.SeriesDate); }, &errors);
    }
    m_schedule.freeConnections();
    return errors;
}

std::string MainFormCore::savesFailedText(const std::vector<std::string>& errors)
{
    if (errors.empty())
        return {};
    std::string text = "Impossibile salvare portafoglio, larghezze delle colonne e grafico:";
    std::vector<std::string> told;
    for (const std::string& error : errors) {
        if (std::find(told.begin(), told.end(), error) != told.end())
            continue;
        told.push_back(error);
        text += '\r';
        text += error;
    }
    return text;
}

TAlignGrid& MainFormCore::quoteTable(QuoteCategory category)
{
    return m_portfolio->categories().table(category);
}

TAlignGrid* MainFormCore::ActiveGrid(MainPage activePage)
{
    switch (activePage) {
    case MainPage::Yahoo:
        return &m_gridYahoo;
    case MainPage::YahooOBB:
        return &m_gridYahooOBB;
    case MainPage::YahooDerivati:
        return &m_gridYahooDerivati;
    case MainPage::Fondi:
        return &m_gridFondi;
    case MainPage::Portafoglio:
        return &m_gridPortafoglio;
    case MainPage::Indici:
    case MainPage::Web:
        return nullptr;
    }
    return nullptr;
}

TextSlot& MainFormCore::countdownLabel(ConnectionId id)
{
    return m_countdownLabels[indexOf(id)];
}

TConnessione* MainFormCore::connection(ConnectionId id)
{
    return m_schedule.hasConnections() ? &m_schedule.connection(id) : nullptr;
}

void MainFormCore::onFetchEnded(TConnessione& connection, FetchOutcome outcome)
{
    const std::optional<ConnectionId> id = m_schedule.idOf(connection);
    if (id && m_fetchEnded)
        m_fetchEnded(*id, outcome);
}

ProxySettings MainFormCore::proxyInForce() const
{
    const ConfigurationControls& controls = m_settings.controls();
    return ProxySettings{controls.CheckBoxProxy, controls.EditServerProxyAddress,
                         controls.EditServerProxyPort, controls.EditServerProxyUsername,
                         controls.EditServerProxyPassword};
}

RequestSettings MainFormCore::requestSettingsInForce() const
{
    RequestSettings settings;
    settings.proxy = proxyInForce();
    settings.source = m_settings.controls().ComboBoxSorgente;
    // The hosts are read when each request starts, so a change takes effect at the next one.
    try {
        const IniFile ini(settingsFilePath());
        settings.quoteHost = ini.readString(kServiceSection, kServiceHostKey);
        settings.web = webSourceEndpointsFromSettings(ini.readString(kServiceSection, kWebChartUrlKey),
                                                      ini.readString(kServiceSection, kWebExchangeUrlKey),
                                                      ini.readString(kServiceSection, kWebCertificatesKey),
                                                      ini.readString(kServiceSection, kWebSearchUrlKey));
        settings.settingsFile = settingsFilePath();
    } catch (...) {
        // An unreadable settings file leaves the defaults.
    }
    return settings;
}

} // namespace listorix
