#include "app/MainFormCore.h"

#include "app/StartUpSteps.h"
#include "export/ChartPage.h"
#include "fetch/TConnessione.h"
#include "fetch/WebSourceMemory.h"
#include "market/QuoteTables.h"
#include "market/TrayHint.h"
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
    : m_toolkit(toolkit), m_options(std::move(options)), m_sorting(quoteTablePointers()),
      m_portfolio(m_gridPortafoglio, CategoryTables{quoteTablePointers()}, m_labelPortafoglioTot,
                  m_labelPortafoglioTotGuadagno),
      m_indexAnswer(m_indexPanel, m_chart, [this] { refreshTrayHint(); }), m_settings(settingsFilePath()),
      m_alerts(settingsFilePath()), m_web(std::make_shared<WebSourceMemory>()),
      m_chartPages(toolkit.mainThread, m_labelStatus, toolkit.prompts, m_web,
                   (std::filesystem::path(m_options.programDir) / kChartPageFileName).string()),
      m_sources(m_options.requests ? nullptr
                                   : std::make_unique<QuoteSourceWorkers>(toolkit.mainThread, m_settings,
                                                                          m_options.httpTimeouts, m_web)),
      m_requestSource(m_options.requests ? *m_options.requests : *m_sources),
      m_fetch(QuoteFetch::Seams{toolkit.mainThread, toolkit.Timer1, toolkit.prompts, m_fetchState,
                                m_labelStatus, m_labelTransfer},
              m_options.programDir, m_requestSource, *this)
{
    for (std::size_t k = 0; k < kQuoteConnections.size(); ++k) {
        const ConnectionId id = kQuoteConnections[k];
        setUpQuoteTable(m_quoteTables[k], id);
        m_securityAnswers[k] = std::make_unique<SecurityAnswer>(id, m_quoteTables[k], m_sorting);
    }
    setUpPortfolioTable(m_gridPortafoglio);
    m_portfolio.connectTableEvents();
    m_settings.setApplySettings([this] { ApplySettings(); });
}

MainFormCore::~MainFormCore()
{
    // Nothing outside may hear of a fetch that ends now.
    m_fetchEnded = nullptr;
    m_fetch.abandon();
}

std::array<TAlignGrid*, 4> MainFormCore::quoteTablePointers()
{
    return {&m_quoteTables[0], &m_quoteTables[1], &m_quoteTables[2], &m_quoteTables[3]};
}

std::filesystem::path MainFormCore::settingsFilePath() const
{
    return std::filesystem::path(m_options.programDir) / kSettingsFileName;
}

void MainFormCore::FormCreate()
{
    for (const ConnectionId id : kConnectionOrder)
        m_pageTabs.setPageVisible(pageOf(id), false);
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
        BuildCatalogue(m_catalogue, options);
    });
    tryStep([this] { m_settings.LoadSettings(); });
    createConnections();
    steps.bringSplashToFront();
    ApplySettings();
    steps.showWebPage();
    loadSavedState();
    tryStep([this] {
        // A line of the alerts that cannot be read is said once; it stays in the file.
        if (const std::string unread = unreadAlertLinesText(m_alerts.load()); !unread.empty())
            m_labelStatus.setText(unread);
    });
    m_fetch.replayCaches();
    refreshTrayHint();
    steps.activateTrayIcon();
    tryStep([this] { m_portfolio.RevaluePortfolio(); });
    steps.closeSplash();
    steps.enableWindow();
    steps.refitMaximisedWindow();
    steps.navigateToStartPage(m_catalogue.HomePageUrl);
    m_started = true;
    m_fetch.schedule().setTimerEnabled(true);
    return true;
}

void MainFormCore::createConnections()
{
    const auto describe = [this](ConnectionId id) {
        const std::optional<std::size_t> table = quoteIndexOf(id);
        AnswerSink& sink = table ? static_cast<AnswerSink&>(*m_securityAnswers[*table]) : m_indexAnswer;
        return ConnectionDescription{m_catalogue.requestsOf(id), &countdownLabel(id), sink};
    };
    m_fetch.createConnections({describe(ConnectionId::Indici), describe(ConnectionId::Azioni),
                               describe(ConnectionId::Obbligazioni), describe(ConnectionId::Derivati),
                               describe(ConnectionId::Fondi)});
}

void MainFormCore::loadSavedState()
{
    tryStep([this] {
        TIniObject saved = TIniObject::atPath(settingsFilePath());
        saved.LoadGrid(kPortfolioSection, m_gridPortafoglio);
        saved.LoadColWidths(kPortfolioWidthsKey, m_gridPortafoglio);
        m_portfolio.MarkPersonalRowsEditable();
        for (const ConnectionId id : kQuoteConnections)
            saved.LoadColWidths(categoryOf(id).widthsKey, quoteTable(id));
        m_chart.ResetChart();
        saved.LoadSeries(kMibtelSeriesSection, m_chart, m_chart.Series1, m_chart.SeriesDate);
        saved.LoadSeries(kMib30SeriesSection, m_chart, m_chart.Series2, m_chart.SeriesDate);
        saved.LoadSeries(kMidexSeriesSection, m_chart, m_chart.Series4, m_chart.SeriesDate);
    });
}

void MainFormCore::refreshTrayHint()
{
    m_trayHint.setText(trayHintText(m_indexPanel));
}

std::array<bool, 5> MainFormCore::enabledConnections(const ConfigurationControls& controls)
{
    // In kConnectionOrder; the dialog's "MIB30" box switches nothing on its own.
    return {controls.CheckBoxIndiciEnable, controls.CheckBoxMIBTELEnable, controls.CheckBoxOBBEnable,
            controls.CheckBoxDerivatiEnable, controls.CheckBoxfondiEnable};
}

void MainFormCore::ApplySettings()
{
    if (!m_fetch.hasConnections())
        return;
    const std::array<bool, 5> enabled = enabledConnections(m_settings.controls());
    m_fetch.applySettings(enabled);
    for (const ConnectionId id : kConnectionOrder)
        m_pageTabs.setPageVisible(pageOf(id), enabled[indexOf(id)]);
}

void MainFormCore::SpeedButtonReloadClick(MainPage activePage)
{
    if (activePage == MainPage::Portafoglio) {
        m_portfolio.RevaluePortfolio();
        return;
    }
    if (m_destroyed)
        return;
    m_fetch.reload(connectionOfPage(activePage));
}

bool MainFormCore::FormCloseQuery()
{
    m_fetch.switchOff();
    return true;
}

std::vector<std::string> MainFormCore::FormDestroy()
{
    std::vector<std::string> errors;
    if (m_destroyed)
        return errors;
    m_destroyed = true;
    FormCloseQuery();
    m_fetch.abandon();
    m_fetch.schedule().setTimerEnabled(false);
    // Before the start-up sequence has loaded them, the tables hold nothing of
    // the user's: saving them would wipe the saved portfolio.
    if (m_started) {
        TIniObject saved = TIniObject::atPath(settingsFilePath());
        tryStep([&] { savePortfolioRows(); }, &errors);
        tryStep([&] { saved.SaveColWidths(kPortfolioWidthsKey, m_gridPortafoglio); }, &errors);
        for (const ConnectionId id : kQuoteConnections)
            tryStep([&] { saved.SaveColWidths(categoryOf(id).widthsKey, quoteTable(id)); }, &errors);
        tryStep([&] { saved.SaveSeries(kMibtelSeriesSection, m_chart.Series1, m_chart.SeriesDate); },
                &errors);
        tryStep([&] { saved.SaveSeries(kMib30SeriesSection, m_chart.Series2, m_chart.SeriesDate); }, &errors);
        tryStep([&] { saved.SaveSeries(kMidexSeriesSection, m_chart.Series4, m_chart.SeriesDate); }, &errors);
    }
    m_fetch.freeConnections();
    return errors;
}

void MainFormCore::savePortfolioRows()
{
    TIniObject::atPath(settingsFilePath())
        .SaveGrid(kPortfolioSection, m_gridPortafoglio, kPortfolioStoredColumns);
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

TAlignGrid* MainFormCore::ActiveGrid(MainPage activePage)
{
    if (activePage == MainPage::Portafoglio)
        return &m_gridPortafoglio;
    const std::optional<ConnectionId> id = connectionOfPage(activePage);
    return id && quoteIndexOf(*id) ? &quoteTable(*id) : nullptr;
}

TConnessione* MainFormCore::connection(ConnectionId id)
{
    return m_fetch.hasConnections() ? &m_fetch.connection(id) : nullptr;
}

void MainFormCore::openChartPage(const std::string& code, int period)
{
    if (const auto chartPeriod = chartPeriodFromNumber(period))
        m_chartPages.open(code, *chartPeriod, requestSettingsOf(m_settings), m_options.httpTimeouts);
}

std::string MainFormCore::quoteHostInForce() const
{
    const RequestSettings settings = requestSettingsOf(m_settings);
    return quoteHostFor(settings.source, settings.quoteHost);
}

void MainFormCore::answerRead(ConnectionId id)
{
    m_portfolio.RevaluePortfolio();
    // Only a live download checks the alerts: the caches replayed at start-up were
    // checked when they arrived.
    if (!quoteIndexOf(id))
        return;
    const AlertCheck check = m_alerts.checkTable(id, quoteTable(id));
    tellFiredAlerts(check.fired, m_notices, m_labelStatus);
    if (!check.error.empty())
        m_labelStatus.setText(check.error);
}

void MainFormCore::fetchEnded(ConnectionId id, FetchOutcome outcome)
{
    if (m_fetchEnded)
        m_fetchEnded(id, outcome);
}

} // namespace listorix
