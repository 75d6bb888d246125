#pragma once

#include "app/MainFormCore.h"
#include "app/MainPage.h"
#include "app/StartUpSteps.h"
#include "app/gui/MainMenus.h"
#include "app/gui/WindowPlacementKeeper.h"
#include "base/gui/LabelTextSink.h"
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

class AlertDialog;
class AlertListDialog;
class AlignGridView;
class FileNamePrompt;
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
// chart, tool bar, status line, menus, web tab and notification icon over the core
// it is given, and hands every event to the core or to a dialog: the window's own
// rules are only the name column's fill, the chart items of the table menu, the
// placement and the minimise rule. Its collaborators are made before it and
// outlive it (Program holds them all).
class TMainForm final : public QMainWindow, private StartUpSteps
{
    Q_OBJECT

public:
    // What the window works with; everything must outlive it.
    struct Collaborators
    {
        MainFormCore& core;
        Prompts& prompts;
        FileNamePrompt& files; // the CSV commands' file dialogs
        QtTickTimer& Timer1;   // its timeouts are the window's tick
        TFormConfigura& formConfigura;
        TDlgPortafoglio& dlgPortafoglio;
        TAboutForm& aboutForm;
        AlertDialog& alertDialog;
        AlertListDialog& alertList;
        // Shown already (or not at all); the start-up sequence brings it to the
        // front again and then closes it.
        TFormCover& splash;
    };

    struct Options
    {
        // Whether the desktop offers a notification area; asked when minimising.
        std::function<bool()> notificationAreaAvailable;
        // Makes the web tab's browser; empty gives the real one (tests hand in a fake).
        WebTab::BrowserFactory makeBrowser;
    };

    // FormCreate: every control, caption, placement restored, category pages
    // hidden; the window disabled until its first showing has run the start-up
    // sequence.
    TMainForm(Collaborators collaborators, Options options, QWidget* parent = nullptr);
    // FormDestroy, if it has not run; the core hears nothing more of this window.
    ~TMainForm() override;

    MainFormCore& core() { return m_core; }

    // The address in the web tab's browser, the page "Web" in front and the
    // browser given the keyboard focus.
    void ShowInWebTab(const QString& url);
    TrayIcon& TrayIcon1() { return *m_trayIcon; }
    TFormConfigura& formConfigura() { return m_formConfigura; }

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
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // The core's page tabs, drawn.
    void showPageTab(MainPage page);
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
    // The price alerts: of the row of the table the menu was opened on, and the list.
    void Avvisodiprezzo1Click();
    void Avvisodiprezzo2Click();
    void AvvisiClick();
    // The fired alerts told through the notification icon, where there is one.
    void showNotice(const std::string& title, const std::string& text);
    // The portfolio to and from a CSV file.
    void Esportaportafoglio1Click();
    void Importaportafoglio1Click();

    MainFormCore& m_core;
    Prompts& m_prompts;
    FileNamePrompt& m_files;
    AlertDialog& m_alertDialog;
    AlertListDialog& m_alertList;
    TFormConfigura& m_formConfigura;
    TDlgPortafoglio& m_dlgPortafoglio;
    TAboutForm& m_about;
    TFormCover& m_splash;
    Options m_options;

    // The widgets' ends of the core's text slots, detached when the window goes.
    LabelTextSink m_statusSink;
    LabelTextSink m_transferSink;
    std::array<LabelTextSink, 5> m_countdownSinks;
    LabelTextSink m_totalSink;
    LabelTextSink m_gainSink;

    WindowPlacementKeeper m_placement;
    MainToolBar* m_toolBar = nullptr;
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

    ReportTemplates m_templates; // made from the catalogue at start-up
    QString m_startPage;         // loaded once the window has been painted
    bool m_startPageDue = false;
    bool m_restoreMaximized = false;
    bool m_minimiseHides = false;
    bool m_changingPage = false; // the program, not the user, changes the page
    bool m_destroyed = false;
    bool m_unattendedShutdown = false;
};

} // namespace listorix
