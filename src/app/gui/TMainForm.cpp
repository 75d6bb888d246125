#include "app/gui/TMainForm.h"

#include "alerts/gui/AlertDialog.h"
#include "alerts/gui/AlertListDialog.h"
#include "app/ProgramInfo.h"
#include "app/gui/MainToolBar.h"
#include "app/gui/MinimiseToTray.h"
#include "app/gui/TAboutForm.h"
#include "app/gui/TFormCover.h"
#include "app/gui/TrayIcon.h"
#include "base/Prompts.h"
#include "base/Trim.h"
#include "base/gui/DisplayText.h"
#include "base/gui/Looks.h"
#include "base/gui/QtText.h"
#include "browser/BrowserProxy.h"
#include "browser/gui/WebEngineStartup.h"
#include "export/TableCommands.h"
#include "export/gui/Clipboard.h"
#include "grid/NameColumnFill.h"
#include "grid/gui/AlignGridView.h"
#include "market/ChartEntries.h"
#include "market/QuoteFormat.h"
#include "market/gui/IndexPanelView.h"
#include "market/gui/IntradayChartView.h"
#include "market/gui/QuotePage.h"
#include "portfolio/Portfolio.h"
#include "portfolio/PortfolioCommands.h"
#include "portfolio/PortfolioCsvCommands.h"
#include "portfolio/gui/PortfolioPage.h"
#include "portfolio/gui/TDlgPortafoglio.h"
#include "settings/gui/TFormConfigura.h"

#include <QAbstractScrollArea>
#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QMenu>
#include <QScopedValueRollback>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <iostream>

namespace listorix {

namespace {

constexpr int kTransferWidth = 86;

constexpr int kPortfolioColumnsToFit = 11;

int pageIndex(MainPage page)
{
    return static_cast<int>(page);
}

} // namespace

TMainForm::TMainForm(Collaborators collaborators, Options options, QWidget* parent)
    : QMainWindow(parent), m_core(collaborators.core), m_prompts(collaborators.prompts),
      m_files(collaborators.files), m_alertDialog(collaborators.alertDialog),
      m_alertList(collaborators.alertList), m_formConfigura(collaborators.formConfigura),
      m_dlgPortafoglio(collaborators.dlgPortafoglio), m_about(collaborators.aboutForm),
      m_splash(collaborators.splash), m_options(std::move(options)), m_placement(m_core.settingsFilePath())
{
    setObjectName("MainForm");
    setWindowTitle(qText(programCaption()));
    setEnabled(false);
    connect(&collaborators.Timer1.timer(), &QTimer::timeout, this, &TMainForm::Timer1Timer);

    auto* central = new QWidget(this);
    auto* layout = tightColumn(central);
    m_toolBar = new MainToolBar(central);
    layout->addWidget(m_toolBar);

    m_pages = new QTabWidget(central);
    const QScopedValueRollback quiet(m_changingPage, true); // adding the pages changes the current one
    m_pages->setObjectName("PageControl1");
    m_pages->tabBar()->setObjectName("PageControl1Tabs");
    m_pages->setDocumentMode(false);
    m_pages->addTab(buildIndexPage(), "Indici");
    for (std::size_t k = 0; k < kQuoteConnections.size(); ++k) {
        const Category& category = categoryOf(kQuoteConnections[k]);
        auto* page = new QuotePage(m_core.quoteTable(category.id), qText(category.tableName),
                                   qText(category.countdownName), m_pages);
        page->setObjectName(qText(category.pageName));
        m_quotePages[k] = page;
        m_pages->addTab(page, qText(category.caption));
    }
    m_portfolioPage = new PortfolioPage(m_core.StringGridPortafoglio(), m_pages);
    m_portfolioPage->setObjectName("TabSheetPortafoglio");
    m_pages->addTab(m_portfolioPage, "Portafoglio");
    m_pages->addTab(buildWebPage(), "Web");
    layout->addWidget(m_pages, 1);
    setCentralWidget(central);
    buildStatusBar();

    m_menus = buildMainMenus(this);
    m_trayIcon = new TrayIcon(m_menus.PopupMenuTrayIcon, this);
    connect(m_trayIcon, &TrayIcon::restoreRequested, this, [this] { MinimiseToTray::restore(this); });
    // WindowHook1BeforeMessage: hidden on minimise once the icon can bring it back.
    new MinimiseToTray(this, [this] {
        return m_minimiseHides && m_options.notificationAreaAvailable &&
               m_options.notificationAreaAvailable();
    });
    attachLabels();
    connectCommands();
    connectMenus();
    connectTables();
    m_core.portfolio().setActiveCaptionColour(
        rgbColour(palette().color(QPalette::Active, QPalette::Highlight).red(),
                  palette().color(QPalette::Active, QPalette::Highlight).green(),
                  palette().color(QPalette::Active, QPalette::Highlight).blue()));

    connect(&m_about, &TAboutForm::homePageRequested, this, &TMainForm::WebHomePage1Click);
    m_core.fetchState().setObserver([this] { m_toolBar->setFetching(m_core.fetchState().fetching()); });
    m_core.pageTabs().setObserver([this](MainPage page) { showPageTab(page); });
    m_core.notices().setObserver(
        [this](const std::string& title, const std::string& text) { showNotice(title, text); });
    m_core.chartPages().setObserver(
        [this](const std::string& page) { ShowInWebTab(WebTab::fileAddress(page)); });
    for (const MainPage page : kMainPages)
        showPageTab(page);

    m_restoreMaximized = m_placement.restore(*this);
    m_core.FormCreate();
}

TMainForm::~TMainForm()
{
    FormDestroy();
    // The core outlives the window: it must write to none of its widgets from now on.
    m_core.fetchState().setObserver(nullptr);
    m_core.pageTabs().setObserver(nullptr);
    m_core.notices().setObserver(nullptr);
    m_core.chartPages().setObserver(nullptr);
    for (TextSlot* slot : {&m_core.LabelStatus(), &m_core.LabelTransfer(), &m_core.LabelPortafoglioTot(),
                           &m_core.LabelPortafoglioTotGuadagno(), &m_core.trayHint()})
        slot->attach(nullptr);
    for (const ConnectionId id : kConnectionOrder)
        m_core.countdownLabel(id).attach(nullptr);
    for (const ConnectionId id : kQuoteConnections)
        m_core.quoteTable(id).OnColWidthsChanged = nullptr;
    m_core.StringGridPortafoglio().OnDblClick = nullptr;
}

QWidget* TMainForm::buildIndexPage()
{
    auto* page = new QWidget(m_pages);
    page->setObjectName("TabSheetIndici");
    m_indexPanel = new IndexPanelView(m_core.indexPanel(), page);
    m_chart = new IntradayChartView(m_core.Chart1(), page);
    auto* layout = tightColumn(page);
    layout->addWidget(m_indexPanel);
    layout->addWidget(m_chart, 1);
    return page;
}

WebTab* TMainForm::buildWebPage()
{
    m_webTab = new WebTab(m_options.makeBrowser, m_pages);
    return m_webTab;
}

void TMainForm::buildStatusBar()
{
    auto* bar = new QStatusBar(this);
    bar->setObjectName("StatusBar1");
    bar->setSizeGripEnabled(false);
    m_labelStatus = new QLabel(bar);
    m_labelStatus->setObjectName("LabelStatus");
    // A long status text is cut at the window's edge; it never widens the window.
    m_labelStatus->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    setLook(m_labelStatus, kNavy, false);
    m_labelTransfer = new QLabel(bar);
    m_labelTransfer->setObjectName("LabelTransfer");
    m_labelTransfer->setFixedWidth(kTransferWidth);
    m_labelTransfer->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setLook(m_labelTransfer, Qt::red);
    bar->addWidget(m_labelStatus, 1);
    bar->addPermanentWidget(m_labelTransfer);
    setStatusBar(bar);
}

void TMainForm::attachLabels()
{
    m_statusSink.setLabel(m_labelStatus);
    m_core.LabelStatus().attach(&m_statusSink);
    m_transferSink.setLabel(m_labelTransfer);
    m_core.LabelTransfer().attach(&m_transferSink);
    m_countdownSinks[indexOf(ConnectionId::Indici)].setLabel(m_indexPanel->LabelINDICITimer());
    for (std::size_t k = 0; k < kQuoteConnections.size(); ++k)
        m_countdownSinks[indexOf(kQuoteConnections[k])].setLabel(m_quotePages[k]->countdown());
    for (const ConnectionId id : kConnectionOrder)
        m_core.countdownLabel(id).attach(&m_countdownSinks[indexOf(id)]);
    m_totalSink.setLabel(m_portfolioPage->LabelPortafoglioTot());
    m_core.LabelPortafoglioTot().attach(&m_totalSink);
    m_gainSink.setLabel(m_portfolioPage->LabelPortafoglioTotGuadagno());
    m_core.LabelPortafoglioTotGuadagno().attach(&m_gainSink);
    m_core.trayHint().attach(m_trayIcon);
}

void TMainForm::connectCommands()
{
    const MainToolBar::Buttons& tools = m_toolBar->buttons();
    connect(tools.SpeedButtonReload, &QToolButton::clicked, this,
            [this] { m_core.SpeedButtonReloadClick(activePage()); });
    connect(tools.SpeedButtonStop, &QToolButton::clicked, this, [this] { m_core.SpeedButtonStopClick(); });
    connect(tools.SpeedButtonExcel, &QToolButton::clicked, this, &TMainForm::SpeedButtonExcelClick);
    connect(tools.SpeedButtonHelp, &QToolButton::clicked, this, &TMainForm::SpeedButtonHelpClick);
    connect(tools.SpeedButtonHTML, &QToolButton::clicked, this, &TMainForm::SpeedButtonHTMLClick);

    const PortfolioPage::Buttons& rows = m_portfolioPage->buttons();
    TAlignGrid& portfolio = m_core.StringGridPortafoglio();
    connect(rows.SpeedButtonModificaPortafoglio, &QToolButton::clicked, this, &TMainForm::Edit1Click);
    connect(rows.SpeedButtonDuplicaRiga, &QToolButton::clicked, this, &TMainForm::Duplicariga1Click);
    connect(rows.SpeedButtonTitoloPersonale, &QToolButton::clicked, this,
            [this] { m_core.portfolio().SpeedButtonTitoloPersonaleClick(); });
    connect(rows.SpeedButtonDeleteRow, &QToolButton::clicked, this, &TMainForm::Cancella1Click);
    connect(rows.SpeedButtonOrdina, &QToolButton::clicked, this,
            [&portfolio] { SpeedButtonOrdinaClick(portfolio); });
    connect(rows.SpeedButtonSpostaSotto, &QToolButton::clicked, this,
            [&portfolio] { SpeedButtonSpostaSottoClick(portfolio); });
    connect(rows.SpeedButtonSpostaSopra, &QToolButton::clicked, this,
            [&portfolio] { SpeedButtonSpostaSopraClick(portfolio); });

    // PageControl1Change answers the user's change of page; the program's own
    // changes (start-up, hiding a page) call it where they need it.
    connect(m_pages, &QTabWidget::currentChanged, this, [this] {
        if (!m_changingPage)
            PageControl1Change();
    });
}

void TMainForm::connectMenus()
{
    const MainMenus& m = m_menus;
    for (QAction* portfolio : {m.Portafoglio1, m.MenuItem1})
        connect(portfolio, &QAction::triggered, this, &TMainForm::Portafoglio1Click);
    for (QAction* config : {m.Config, m.MenuItem2})
        connect(config, &QAction::triggered, this, &TMainForm::ConfigClick);
    for (QAction* about : {m.Informazioni1, m.MenuItem6})
        connect(about, &QAction::triggered, this, &TMainForm::Informazioni1Click);
    for (QAction* home : {m.WebHomePage1, m.MenuItem7})
        connect(home, &QAction::triggered, this, &TMainForm::WebHomePage1Click);
    for (QAction* close : {m.Chiudi1, m.MenuItem10})
        connect(close, &QAction::triggered, this, &TMainForm::Chiudi1Click);
    connect(m.Edit1, &QAction::triggered, this, &TMainForm::Edit1Click);
    connect(m.Duplicariga1, &QAction::triggered, this, &TMainForm::Duplicariga1Click);
    connect(m.Cancella1, &QAction::triggered, this, &TMainForm::Cancella1Click);
    connect(m.Aggiungialportafoglio1, &QAction::triggered, this, &TMainForm::Aggiungialportafoglio1Click);
    connect(m.Avvisodiprezzo1, &QAction::triggered, this, &TMainForm::Avvisodiprezzo1Click);
    connect(m.Avvisodiprezzo2, &QAction::triggered, this, &TMainForm::Avvisodiprezzo2Click);
    for (QAction* alerts : {m.Avvisi1, m.MenuItemAvvisi})
        connect(alerts, &QAction::triggered, this, &TMainForm::AvvisiClick);
    connect(m.Esportaportafoglio1, &QAction::triggered, this, &TMainForm::Esportaportafoglio1Click);
    connect(m.Importaportafoglio1, &QAction::triggered, this, &TMainForm::Importaportafoglio1Click);
    for (std::size_t k = 0; k < m.grafico.size(); ++k)
        connect(m.grafico[k], &QAction::triggered, this,
                [this, k] { GraficoClick(kChartEntries[k].period); });
    connect(m.PopupMenuOnGrid, &QMenu::aboutToShow, this, &TMainForm::PopupMenuOnGridPopup);

    // The shortcut Del of "Cancella riga" works in the portfolio table.
    m_portfolioPage->table()->addAction(m.Cancella1);
    m.Cancella1->setShortcutContext(Qt::WidgetShortcut);

    popUpOnRightClick(m_pages->tabBar(), m.PopupMenuTrayIcon);
    popUpOnRightClick(m_toolBar, m.PopupMenuTrayIcon);
    // Any part of a page without a menu of its own (the index panel, the strips).
    for (int k = 0; k < m_pages->count(); ++k)
        popUpOnRightClick(m_pages->widget(k), m.PopupMenuTrayIcon);
    popUpOnRightClick(m_chart, m.PopupMenuTrayIcon);
    for (QuotePage* page : m_quotePages)
        popUpOnRightClick(page->table(), m.PopupMenuOnGrid);
    popUpOnRightClick(m_portfolioPage->table(), m.PopupMenuPortafoglio);
}

void TMainForm::popUpOnRightClick(QWidget* widget, QMenu* menu)
{
    widget->setContextMenuPolicy(Qt::CustomContextMenu);
    // A table (any scroll area) reports the click in its viewport's coordinates,
    // below the header: mapped from the table itself the menu would open a header
    // height above the pointer.
    auto* area = qobject_cast<QAbstractScrollArea*>(widget);
    QWidget* origin = area ? area->viewport() : widget;
    connect(widget, &QWidget::customContextMenuRequested, menu,
            [origin, menu](const QPoint& at) { menu->popup(origin->mapToGlobal(at)); });
}

void TMainForm::connectTables()
{
    for (const ConnectionId id : kQuoteConnections)
        m_core.quoteTable(id).OnColWidthsChanged = [this](TAlignGrid& sender) {
            StringGridYahooColWidthsChanged(sender);
        };
    m_core.StringGridPortafoglio().OnDblClick = [this](TAlignGrid&) { StringGridPortafoglioDblClick(); };
}

// --- window events ------------------------------------------------------------------

void TMainForm::showAsPlaced()
{
    if (m_restoreMaximized)
        showMaximized();
    else
        show();
}

void TMainForm::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    // FormShow: the start-up sequence on the first showing only.
    if (!m_core.FormShow(*this))
        m_webTab->setResting(false);
}

void TMainForm::hideEvent(QHideEvent* event)
{
    QMainWindow::hideEvent(event);
    // FormHide: the placement is saved whenever the window is hidden.
    if (m_core.started())
        m_placement.save(*this);
    // Hidden (resting in the notification area, or minimised), nobody sees the web
    // page: the browser gives its memory back until the window shows again.
    m_webTab->setResting(true);
}

bool TMainForm::event(QEvent* event)
{
    const bool handled = QMainWindow::event(event);
    // The browser engine takes a while to start: the start page is asked for once
    // the window has been painted, so that neither the window nor the tables wait.
    if (event->type() == QEvent::Paint && m_startPageDue) {
        m_startPageDue = false;
        QTimer::singleShot(0, this, [this] {
            // A page the user asked for meanwhile stays.
            if (!m_webTab->hasBrowser())
                m_webTab->NavigateTo(m_startPage);
        });
    }
    return handled;
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    // FormCloseQuery: no fetch starts any more; closing is always allowed.
    if (m_core.FormCloseQuery()) {
        event->accept();
        QCoreApplication::quit();
    } else {
        event->ignore();
    }
}

void TMainForm::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    // FormResize: the active page's table is fitted again.
    PageControl1Change();
}

void TMainForm::FormDestroy()
{
    if (m_destroyed)
        return;
    m_destroyed = true;
    const std::vector<std::string> errors = m_core.FormDestroy();
    for (const std::string& error : errors)
        std::cerr << "listorix: " << error << '\n';
    // Otherwise the user would leave believing the portfolio's edits were kept.
    if (!errors.empty() && !m_unattendedShutdown)
        m_prompts.warningOk(MainFormCore::savesFailedText(errors));
}

void TMainForm::Chiudi1Click()
{
    hide();
    close();
}

// --- the core's seams ---------------------------------------------------------------

void TMainForm::showPageTab(MainPage page)
{
    const QScopedValueRollback quiet(m_changingPage, true);
    m_pages->setTabVisible(pageIndex(page), m_core.pageTabs().visible(page));
}

void TMainForm::bringSplashToFront()
{
    if (m_splash.isVisible())
        m_splash.bringToFront();
}

void TMainForm::showWebPage()
{
    // By this step the catalogue is built and the settings are loaded.
    const Catalogue& catalogue = m_core.catalogue();
    m_webTab->setHomePageUrl(qText(catalogue.HomePageUrl));
    m_templates = BuildReportTemplates(catalogue.HomePageUrl);
    applyBrowserProxyInForce();
    setActivePage(MainPage::Web);
}

void TMainForm::activateTrayIcon()
{
    // The hint is in the core's slot already, and so on the icon.
    m_trayIcon->activate();
    setMinimiseHides(true);
}

void TMainForm::closeSplash()
{
    m_splash.close();
}

void TMainForm::enableWindow()
{
    setEnabled(true);
}

void TMainForm::refitMaximisedWindow()
{
    if (isMaximized()) {
        showNormal();
        showMaximized();
    }
}

void TMainForm::navigateToStartPage(const std::string& url)
{
    // The focus stays where it is; the page loads once the window is painted.
    m_startPage = qText(url);
    m_startPageDue = true;
    update();
}

// --- pages and tables ---------------------------------------------------------------

MainPage TMainForm::activePage() const
{
    const int index = m_pages->currentIndex();
    return index >= 0 && index < static_cast<int>(kMainPages.size())
               ? kMainPages[static_cast<std::size_t>(index)]
               : MainPage::Web;
}

void TMainForm::setActivePage(MainPage page)
{
    const QScopedValueRollback quiet(m_changingPage, true);
    m_pages->setCurrentIndex(pageIndex(page));
}

TAlignGrid* TMainForm::ActiveGrid()
{
    return m_core.ActiveGrid(activePage());
}

void TMainForm::fitNameColumn(AlignGridView* view, int columns)
{
    // The page that has just come to the front may not have been laid out at the
    // window's present size yet.
    if (QWidget* page = m_pages->currentWidget(); page && page->parentWidget())
        page->resize(page->parentWidget()->size());
    RidimensionaGriglia(view->grid(), columns, view->clientWidth());
}

void TMainForm::PageControl1Change()
{
    const MainPage page = activePage();
    for (std::size_t k = 0; k < kQuoteConnections.size(); ++k) {
        if (pageOf(kQuoteConnections[k]) == page)
            fitNameColumn(m_quotePages[k]->table(), categoryOf(kQuoteConnections[k]).fillColumns);
    }
    if (page != MainPage::Portafoglio)
        return;
    fitNameColumn(m_portfolioPage->table(), kPortfolioColumnsToFit);
    if (isVisible())
        m_portfolioPage->table()->setFocus(Qt::OtherFocusReason);
    bool canSelect = true;
    m_core.portfolio().StringGridPortafoglioSelectCell(nullptr, 0, 0, canSelect);
}

void TMainForm::StringGridYahooColWidthsChanged(TAlignGrid& grid)
{
    // One handler for the four quote tables: each refits with its own fill columns.
    for (std::size_t k = 0; k < kQuoteConnections.size(); ++k) {
        if (&m_quotePages[k]->table()->grid() == &grid)
            RidimensionaGriglia(grid, categoryOf(kQuoteConnections[k]).fillColumns,
                                m_quotePages[k]->table()->clientWidth());
    }
}

void TMainForm::PopupMenuOnGridPopup()
{
    // The program's own charts serve every table and every period.
    const bool bondsFocused = m_core.StringGridYahooOBB().focused() && !m_core.drawsChartPages();
    for (std::size_t k = 0; k < kChartEntries.size(); ++k)
        m_menus.grafico[k]->setEnabled(chartEntryEnabled(kChartEntries[k].period, bondsFocused));
}

// --- commands -----------------------------------------------------------------------

void TMainForm::Timer1Timer()
{
    m_core.Timer1Timer();
}

void TMainForm::ConfigClick()
{
    m_formConfigura.Execute();
    // "OK" may have changed the proxy; the browser follows (nothing happens when
    // it is unchanged, as after "Annulla").
    applyBrowserProxyInForce();
}

void TMainForm::applyBrowserProxyInForce()
{
    applyBrowserProxy(browserProxy(m_core.proxyInForce()));
}

void TMainForm::Aggiungialportafoglio1Click()
{
    m_core.portfolio().Aggiungialportafoglio1Click([this] {
        setActivePage(MainPage::Portafoglio);
        PageControl1Change();
    });
}

void TMainForm::Duplicariga1Click()
{
    listorix::Duplicariga1Click(m_core.StringGridPortafoglio());
}

void TMainForm::Cancella1Click()
{
    listorix::Cancella1Click(m_core.StringGridPortafoglio(), [this](const std::string& question) {
        return m_prompts.confirmYesNo(question);
    });
}

void TMainForm::Portafoglio1Click()
{
    m_dlgPortafoglio.ShowPortfolioDialog();
}

void TMainForm::Edit1Click()
{
    Portafoglio1Click();
}

void TMainForm::StringGridPortafoglioDblClick()
{
    Portafoglio1Click();
}

void TMainForm::Informazioni1Click()
{
    m_about.ShowAbout(programVersion(), m_core.catalogue().ContactText);
}

void TMainForm::WebHomePage1Click()
{
    ShowInWebTab(qText(m_core.catalogue().HomePageUrl));
}

void TMainForm::SpeedButtonHelpClick()
{
    ShowInWebTab(qText(m_core.catalogue().HelpPageUrl));
}

void TMainForm::GraficoClick(int period)
{
    if (m_core.drawsChartPages()) {
        // The chart of the selected row of the table in front, drawn by the program;
        // it opens in the web tab once it has been fetched and written.
        const TAlignGrid* grid = ActiveGrid();
        if (!grid || grid == &m_core.StringGridPortafoglio())
            return;
        const std::string code = std::string(trimControls(grid->cell(0, grid->currentRow())));
        if (!code.empty() && grid->currentRow() >= grid->fixedRows())
            m_core.openChartPage(code, period);
        return;
    }
    const ChartTables tables{m_core.StringGridYahoo(), m_core.StringGridYahooOBB(),
                             m_core.StringGridYahooDerivati()};
    if (const auto url = chartEntryUrl(tables, m_core.quoteHostInForce(), period))
        ShowInWebTab(qText(*url));
}

void TMainForm::SpeedButtonExcelClick()
{
    clipboardCommand(ActiveGrid(), m_core.UserDecimalSeparator(), putTextOnClipboard, m_prompts);
}

void TMainForm::SpeedButtonHTMLClick()
{
    const MainPage page = activePage();
    const ActivePage active{ActiveGrid(), coreText(m_pages->tabText(m_pages->currentIndex())),
                            page == MainPage::Portafoglio ? std::optional(m_core.LabelPortafoglioTot().text())
                                                          : std::nullopt};
    if (const auto report = reportCommand(active, m_templates, m_core.programDir(), m_prompts))
        ShowInWebTab(WebTab::fileAddress(*report));
}

// --- price alerts and the portfolio as CSV ------------------------------------------

void TMainForm::Avvisodiprezzo1Click()
{
    // The menu belongs to the table of the page in front.
    if (const TAlignGrid* grid = ActiveGrid())
        m_alertDialog.editAlertOfRow(*grid, grid->currentRow());
}

void TMainForm::Avvisodiprezzo2Click()
{
    const TAlignGrid& portfolio = m_core.StringGridPortafoglio();
    m_alertDialog.editAlertOfRow(portfolio, portfolio.currentRow());
}

void TMainForm::AvvisiClick()
{
    m_alertList.showAlerts();
}

void TMainForm::showNotice(const std::string& title, const std::string& text)
{
    QSystemTrayIcon& icon = m_trayIcon->systemTrayIcon();
    // Without a notification area the status line and the marked cells tell.
    if (icon.isVisible() && QSystemTrayIcon::isSystemTrayAvailable())
        icon.showMessage(qText(title), displayText(text), QSystemTrayIcon::Information);
}

void TMainForm::Esportaportafoglio1Click()
{
    exportPortfolioCsvAsked(m_core.StringGridPortafoglio(), m_files, m_prompts);
}

void TMainForm::Importaportafoglio1Click()
{
    importPortfolioCsvAsked(m_core.portfolio(), m_files, m_prompts, [this] { m_core.savePortfolioRows(); });
}

// --- web tab, dialogs and splash ----------------------------------------------------

void TMainForm::ShowInWebTab(const QString& url)
{
    m_webTab->NavigateTo(url);
    setActivePage(MainPage::Web);
    m_webTab->focusBrowser();
}

} // namespace listorix
