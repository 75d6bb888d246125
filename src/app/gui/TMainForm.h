#pragma once

#include "app/MainFormCore.h"
#include "app/MainPage.h"
#include "app/StartUpSteps.h"
#include "app/gui/MainMenus.h"
#include "app/gui/QtTickTimer.h"
#include "app/gui/WindowPlacementKeeper.h"
#include "base/gui/LabelTextSink.h"
#include "base/gui/QtMainThread.h"

#include <QMainWindow>
#include <functional>
#include <memory>
#include <string>

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
class TFormConfigura;

// The program's one main window. It composes the pages, tables, index panel and
// chart, tool bar, status line and menus, owns the core (MainFormCore) and hands
// every event to it: the window's own rules are only the name column's fill, the
// chart items of the table menu, the placement and the minimise rule.
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
        // Makes the fetch's workers; empty gives the real ones (tests hand in fakes).
        WorkerFactory makeWorker;
    };

    // FormCreate: the core and every control, caption, placement restored,
    // category pages hidden; the window disabled until its first showing has run
    // the start-up sequence.
    TMainForm(Prompts& prompts, Options options, QWidget* parent = nullptr);
    // FormDestroy, if it has not run.
    ~TMainForm() override;

    MainFormCore& core() { return *m_core; }
    void setConfigurationDialog(TFormConfigura* dialog) { m_formConfigura = dialog; }

    // Shows the window as its placement was saved: maximised or normal.
    void showAsPlaced();

    MainPage activePage() const;
    void setActivePage(MainPage page);
    // The table of the active page, or none (index and web pages).
    TAlignGrid* ActiveGrid();

    // When a notification icon stands in for the window, minimising hides the
    // window; where the desktop offers no notification area minimising stays a
    // normal minimise whatever is asked here.
    void setMinimiseHides(bool hides) { m_minimiseHides = hides; }

    // The saves of the shutdown (portfolio, widths, series); runs once.
    void FormDestroy();

public slots:
    void Chiudi1Click();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // PageVisibility
    void setPageVisible(MainPage page, bool visible) override;
    // StartUpSteps
    void showWebPage() override;
    void enableWindow() override;
    void refitMaximisedWindow() override;
    void navigateToStartPage(const std::string& url) override;

    QWidget* buildIndexPage();
    QWidget* buildWebPage();
    void buildStatusBar();
    void attachLabels();
    void connectCommands();
    void connectMenus();
    void connectTables();
    void popUpOnRightClick(QWidget* widget, QMenu* menu);
    void fitNameColumn(AlignGridView* view, int columns);

    // Handlers, each handing over to the core or to a dialog.
    void Timer1Timer();
    void PageControl1Change();
    void PopupMenuOnGridPopup();
    void StringGridYahooColWidthsChanged(TAlignGrid& grid);
    void StringGridFondiColWidthsChanged();
    void ConfigClick();
    void Aggiungialportafoglio1Click();
    void Duplicariga1Click();
    void Cancella1Click();
    // The commands whose windows and pages come with the web tab, the tray and the
    // dialogs: present, doing nothing yet.
    void Portafoglio1Click() {}
    void Edit1Click() {}
    void Informazioni1Click() {}
    void WebHomePage1Click() {}
    void GraficoClick(int period) { static_cast<void>(period); }
    void SpeedButtonExcelClick() {}
    void SpeedButtonHelpClick() {}
    void SpeedButtonHTMLClick() {}
    void StringGridPortafoglioDblClick() {}

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
    QWidget* m_webPage = nullptr;
    QLabel* m_labelStatus = nullptr;
    QLabel* m_labelTransfer = nullptr;
    MainMenus m_menus{};
    TFormConfigura* m_formConfigura = nullptr;

    std::string m_startPage;
    bool m_restoreMaximized = false;
    bool m_minimiseHides = false;
    bool m_changingPage = false; // the program, not the user, changes the page
    bool m_destroyed = false;
};

} // namespace listorix
