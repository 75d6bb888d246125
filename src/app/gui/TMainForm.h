#pragma once

#include "app/MainFormCore.h"
#include "app/MainPage.h"
#include "app/StartUpSteps.h"
#include "app/gui/MainMenus.h"
#include "app/gui/WindowPlacementKeeper.h"
#include "base/gui/LabelTextSink.h"
#include "base/gui/QtMainThread.h"
#include "browser/gui/WebTab.h"
#include "export/ReportTemplates.h"
#include "fetch/gui/QtTickTimer.h"

#include <QMainWindow>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QLabel;
class QTabWidget;

namespace listorix {

class AlignGridView;
class IndexPanelView;
class IntradayChartView;
class MainToolBar;
class PortfolioPage;
class Prompts;
class QuotePage;
class TAboutForm;
class TDlgPortafoglio;
class TFormConfigura;
class TFormCover;
class TrayIcon;

// The program's one main window. It composes the pages, tables, index panel and
// chart, tool bar, status line, menus, web tab and notification icon, owns the
// core (MainFormCore) and hands every event to it or to a dialog: the window's own
// rules are only the name column's fill, the chart items of the table menu, the
// placement and the minimise rule.
class TMainForm final : public QMainWindow, private PageVisibility, private StartUpSteps
{
    Q_OBJECT

public:
    struct Options
    {
        // ProgramDir, with its trailing "/".
        std::string programDir;
        // Whether the desktop offers a notification area; asked when minimising.
        std::function<bool()> notificationAreaAvailable;
        // Where the fetch's requests go; none gives the real quote sources (tests
        // hand in fakes).
        RequestSource* requests = nullptr;
        // Where the ticker lists and web/ are read from (DataReadDirs); programDir
        // alone when empty.
        std::vector<std::string> readDirs{};
        // Makes the web tab's browser; empty gives the real one (tests hand in a fake).
        WebTab::BrowserFactory makeBrowser;
    };

    // FormCreate: the core and every control, caption, placement restored,
    // category pages hidden; the window disabled until its first showing has run
    // the start-up sequence.
    TMainForm(Prompts& prompts, Options options, QWidget* parent = nullptr);
    // FormDestroy, if it has not run.
    ~TMainForm() override;

    MainFormCore& core() { return *m_core; }
    // The forms the program block makes after this window, each made once; not owned.
    void setConfigurationDialog(TFormConfigura* dialog) { m_formConfigura = dialog; }
    void setPortfolioDialog(TDlgPortafoglio* dialog) { m_dlgPortafoglio = dialog; }
    void setAboutBox(TAboutForm* about);
    // The splash window, shown already; the start-up sequence brings it to the
    // front again and then frees it.
    void setSplash(std::unique_ptr<TFormCover> splash);

    // The address in the web tab's browser, the page "Web" in front and the
    // browser given the keyboard focus.
    void ShowInWebTab(const QString& url);
    TrayIcon& TrayIcon1() { return *m_trayIcon; }

    // Shows the window as its placement was saved: maximised or normal.
    void showAsPlaced();

    MainPage activePage() const;
    void setActivePage(MainPage page);
    // The table of the active page, or none (index and web pages).
    TAlignGrid* ActiveGrid();

    // When a notification icon stands in for the window (from the end of the
    // start-up sequence on), minimising hides the window; where the desktop offers
    // no notification area minimising stays a normal minimise whatever is asked here.
    void setMinimiseHides(bool hides) { m_minimiseHides = hides; }

    // The saves of the shutdown (portfolio, widths, series); runs once. When they
    // fail the user is told, unless the shutdown is unattended.
    void FormDestroy();
    // A stop signal or the end of the desktop session closes the program: nobody
    // may be there to answer a message box, so failed saves only reach stderr.
    void setUnattendedShutdown() { m_unattendedShutdown = true; }

public slots:
    void Chiudi1Click();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // PageVisibility
    void setPageVisible(MainPage page, bool visible) override;
    // StartUpSteps
    void bringSplashToFront() override;
    void showWebPage() override;
    void activateTrayIcon() override;
    void closeSplash() override;
    void enableWindow() override;
    void refitMaximisedWindow() override;
    void navigateToStartPage(const std::string& url) override;

    QWidget* buildIndexPage();
    WebTab* buildWebPage();
    void buildStatusBar();
    void attachLabels();
    void connectCommands();
    void connectMenus();
    void connectTables();
    void popUpOnRightClick(QWidget* widget, QMenu* menu);
    void fitNameColumn(AlignGridView* view, int columns);
    void applyBrowserProxyInForce();

    // Handlers, each handing over to the core or to a dialog.
    void Timer1Timer();
    void PageControl1Change();
    void PopupMenuOnGridPopup();
    void StringGridYahooColWidthsChanged(TAlignGrid& grid);
    void ConfigClick();
    void Aggiungialportafoglio1Click();
    void Duplicariga1Click();
    void Cancella1Click();
    void Portafoglio1Click();
    void Edit1Click();
    void StringGridPortafoglioDblClick();
    void Informazioni1Click();
    void WebHomePage1Click();
    // The seven chart items of the table menu, period 1 (1 day) to 7 (5 years).
    void GraficoClick(int period);
    void SpeedButtonExcelClick();
    void SpeedButtonHelpClick();
    void SpeedButtonHTMLClick();

    Prompts& m_prompts;
    Options m_options;

    // Before the core: the core writes through them until it is gone.
    QtMainThread m_mainThread;
    QtTickTimer m_timer1;
    LabelTextSink m_statusSink;
    LabelTextSink m_transferSink;
    std::array<LabelTextSink, 5> m_countdownSinks;
    LabelTextSink m_totalSink;
    LabelTextSink m_gainSink;
    MainToolBar* m_toolBar;
    std::unique_ptr<MainFormCore> m_core;

    WindowPlacementKeeper m_placement;
    QTabWidget* m_pages = nullptr;
    IndexPanelView* m_indexPanel = nullptr;
    IntradayChartView* m_chart = nullptr;
    std::array<QuotePage*, 4> m_quotePages{};
    PortfolioPage* m_portfolioPage = nullptr;
    WebTab* m_webTab = nullptr;
    QLabel* m_labelStatus = nullptr;
    QLabel* m_labelTransfer = nullptr;
    MainMenus m_menus{};
    TrayIcon* m_trayIcon = nullptr;
    TFormConfigura* m_formConfigura = nullptr;
    TDlgPortafoglio* m_dlgPortafoglio = nullptr;
    TAboutForm* m_about = nullptr;
    std::unique_ptr<TFormCover> m_splash;

    ReportTemplates m_templates; // made from the catalogue at start-up
    bool m_restoreMaximized = false;
    bool m_minimiseHides = false;
    bool m_changingPage = false; // the program, not the user, changes the page
    bool m_destroyed = false;
    bool m_unattendedShutdown = false;
};

} // namespace listorix
