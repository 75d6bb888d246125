#include "AnsweringFileNames.h"
#include "AnsweringPrompts.h"
#include "FakeToolkit.h"
#include "RecordingBrowser.h"
#include "ScratchDir.h"
#include "ScriptedServer.h"
#include "app/gui/Program.h"
#include "app/gui/TAboutForm.h"
#include "app/gui/TFormCover.h"
#include "app/gui/TMainForm.h"
#include "app/gui/TrayIcon.h"
#include "grid/TAlignGrid.h"
#include "grid/gui/AlignGridView.h"
#include "portfolio/SelectionList.h"
#include "portfolio/gui/TDlgPortafoglio.h"
#include "settings/IniFile.h"
#include "settings/WindowPlacement.h"
#include "settings/gui/TFormConfigura.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QNetworkProxy>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <vector>

namespace listorix {
namespace {

std::string readFile(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// Counts the paintings of a widget.
class PaintCounter final : public QObject
{
public:
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
    int paints = 0;
};

// The main window over a scratch program folder, its requests answered by fakes.
class TMainFormTest : public ::testing::Test
{
protected:
    explicit TMainFormTest(const std::string& settings = {})
    {
        dir.write("LISTORIX.INI", settings);
        dir.write("A_azioni.lst", "ENI.MI\r\nTIT.MI\r\n");
    }

    // The program as main() makes it, with fakes for the message boxes, the
    // requests and the browser.
    Program& program()
    {
        if (!m_program) {
            Program::Options options;
            options.programDir = dir.dir();
            options.notificationAreaAvailable = [this] { return trayAvailable; };
            options.showSplash = showSplash;
            options.prompts = &prompts;
            options.files = &files;
            options.requests = &workers;
            options.makeBrowser = [this](QWidget* parent) {
                return browser = new test::RecordingBrowser(parent);
            };
            m_program = std::make_unique<Program>(std::move(options));
        }
        return *m_program;
    }
    TMainForm& form() { return program().mainForm(); }
    // Shown, and the start page asked for: the browser starts once the window has
    // been painted.
    void showForm()
    {
        const bool first = !form().core().started();
        if (first)
            browser = nullptr;
        form().show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form()));
        if (first) {
            ASSERT_TRUE(QTest::qWaitFor([this] { return browser != nullptr; }));
        }
    }
    template <typename T = QWidget>
    T* control(const char* name)
    {
        auto* found = form().findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QTabWidget* pages() { return control<QTabWidget>("PageControl1"); }
    AlignGridView* table(const char* name) { return control<AlignGridView>(name); }

    test::ScratchDir dir;
    test::AnsweringPrompts prompts;
    test::AnsweringFileNames files;
    test::FakeMainThread workerThread;
    test::FakeWorkers workers{workerThread};
    bool trayAvailable = false;
    bool showSplash = false;
    test::RecordingBrowser* browser = nullptr; // made by the web tab on its first address
    std::unique_ptr<Program> m_program;
};

TEST_F(TMainFormTest, everyNamedControlStandsWithItsCaptionOrHint)
{
    EXPECT_EQ(form().windowTitle(), "Listorix 4.35");
    EXPECT_FALSE(form().isEnabled());

    const char* const captions[] = {"Indici", "Titoli azionari", "Obbligazioni", "Derivati",
                                    "Fondi",  "Portafoglio",     "Web"};
    const char* const pageNames[] = {
        "TabSheetIndici", "TabSheetYahoo",       "TabSheetYahooOBB", "TabSheetYahooDerivati",
        "TabSheetFondi",  "TabSheetPortafoglio", "TabSheetWeb"};
    ASSERT_EQ(pages()->count(), 7);
    for (int k = 0; k < 7; ++k) {
        EXPECT_EQ(pages()->tabText(k), captions[k]);
        EXPECT_EQ(pages()->widget(k)->objectName(), pageNames[k]);
        EXPECT_EQ(pages()->isTabVisible(k), k >= 5) << captions[k]; // FormCreate hides the categories
    }

    const std::pair<const char*, const char*> hints[] = {
        {"SpeedButtonReload", "Collegamento"},
        {"SpeedButtonStop", "Stop"},
        {"SpeedButtonExcel", "Copia nella clipboard"},
        {"SpeedButtonHelp", "Aiuto in linea"},
        {"SpeedButtonHTML", "Esporta in HTML per stampare"},
        {"SpeedButtonModificaPortafoglio", "Modifica la lista"},
        {"SpeedButtonDuplicaRiga", "Duplica riga"},
        {"SpeedButtonTitoloPersonale", "Riga personale da aggiornare manualmente"},
        {"SpeedButtonDeleteRow", "Cancella riga"},
        {"SpeedButtonOrdina", "Ordina per tipo e nome"},
        {"SpeedButtonSpostaSotto", "Sposta sotto"},
        {"SpeedButtonSpostaSopra", "Sposta sopra"},
    };
    for (const auto& [name, hint] : hints)
        EXPECT_EQ(control<QToolButton>(name)->toolTip(), hint) << name;
    EXPECT_EQ(control<QToolButton>("SpeedButtonReload")->size(), QSize(32, 32));

    for (const char* name : {"StringGridYahoo", "StringGridYahooOBB", "StringGridYahooDerivati",
                             "StringGridFondi", "StringGridPortafoglio", "Chart1", "AnimatedLogo", "EditURL"})
        control(name);
    for (const char* name :
         {"LabelStatus", "LabelTransfer", "LabelINDICITimer", "LabelYahooTimer", "LabelYahooOBBTimer",
          "LabelYahooDerivatiTimer", "LabelFondiTimer", "LabelDataIndici", "LabelPortafoglioTot",
          "LabelPortafoglioTotGuadagno", "StaticTextMIBTEL", "StaticTextSPMIB_max", "StaticTextMIB30_valore"})
        control<QLabel>(name);
    EXPECT_EQ(control<QLabel>("LabelYahooTimer")->width(), 65);
    EXPECT_EQ(control<QLabel>("LabelTransfer")->width(), 86);
    EXPECT_EQ(table("StringGridYahoo")->model()->headerData(5, Qt::Horizontal).toString(), "apert.");
    EXPECT_EQ(table("StringGridYahooOBB")->model()->headerData(5, Qt::Horizontal).toString(), "apet.");
}

TEST_F(TMainFormTest, menusHoldTheirItemsInOrderWithTheHiddenOnesHidden)
{
    auto items = [&](const char* menuName) {
        std::vector<std::string> shown;
        for (QAction* action : control<QMenu>(menuName)->actions()) {
            if (action->isSeparator())
                shown.push_back("-");
            else
                shown.push_back(action->objectName().toStdString() + "=" + action->text().toStdString() +
                                (action->isVisible() ? "" : " (hidden)"));
        }
        return shown;
    };
    EXPECT_EQ(items("PopupMenuTrayIcon"),
              (std::vector<std::string>{"Portafoglio1=Portafoglio", "Config=Configurazione", "Avvisi1=Avvisi",
                                        "ConfiguraschedaTV1=Configura scheda TV (hidden)",
                                        "Aggiornailplugindainternet1=Aggiorna il plugin da internet (hidden)",
                                        "-", "Informazioni1=Informazioni",
                                        "WebHomePage1=Web Listorix Home Page ", "-", "Chiudi1=Chiudi"}));
    EXPECT_EQ(items("PopupMenuPortafoglio"),
              (std::vector<std::string>{"Edit1=Modifica Portafoglio", "Duplicariga1=Duplica riga",
                                        "Cancella1=Cancella riga", "-", "Avvisodiprezzo2=Avviso di prezzo...",
                                        "-", "Esportaportafoglio1=Esporta portafoglio (CSV)...",
                                        "Importaportafoglio1=Importa portafoglio (CSV)..."}));
    EXPECT_EQ(control<QMenu>("PopupMenuPortafoglio")->defaultAction()->objectName(), "Edit1");
    EXPECT_EQ(control<QAction>("Cancella1")->shortcut(), QKeySequence(Qt::Key_Delete));
    const std::vector<std::string> onGrid = items("PopupMenuOnGrid");
    ASSERT_EQ(onGrid.size(), 22u);
    EXPECT_EQ(onGrid[1], "Avvisodiprezzo1=Avviso di prezzo...");
    EXPECT_EQ(onGrid[2], "MenuItemAvvisi=Avvisi");
    EXPECT_EQ(onGrid[4], "Grafico1giorno1=Grafico 1 giorno");
    EXPECT_EQ(onGrid[10], "Grafico5anni1=Grafico 5 anni");
    EXPECT_EQ(onGrid[19], "MenuItem8=Web Page Televideo RAI (hidden)");
    EXPECT_EQ(onGrid[21], "MenuItem10=Chiudi");
    for (const char* hidden : {"ConfiguraschedaTV1", "Aggiornailplugindainternet1", "MenuItem3", "MenuItem4"})
        EXPECT_FALSE(control<QAction>(hidden)->isEnabled()) << hidden;
}

TEST_F(TMainFormTest, firstShowingRunsTheStartUpOnceAndEndsOnTheWebPageEnabled)
{
    dir.write("y_mibtel.dat", "\"ENI.MI\";\"ENI\";17.50;\"1/25/2005\";\"17:35\";17.4;17.3;17.6;17.2;+0.30 - "
                              "+1.74%;1000\r\n");
    showForm();
    EXPECT_TRUE(form().isEnabled());
    EXPECT_EQ(form().activePage(), MainPage::Web);
    for (int k = 0; k < 7; ++k)
        EXPECT_TRUE(pages()->isTabVisible(k)) << k;
    EXPECT_EQ(form().core().StringGridYahoo().cell(0, 1), "ENI.MI"); // the cache replayed
    EXPECT_EQ(control<QLabel>("LabelPortafoglioTot")->text(), "Totale Portafoglio: Eu 0,0000 = L.0");

    // Hidden (to a notification area) and shown again: no second start-up.
    form().core().StringGridYahoo().setCell(0, 1, "kept");
    form().hide();
    form().show();
    EXPECT_EQ(form().core().StringGridYahoo().cell(0, 1), "kept");
}

class TMainFormAllOffTest : public TMainFormTest
{
protected:
    TMainFormAllOffTest()
        : TMainFormTest("[CONNESSIONI]\r\nINDICI ENABLED=0\r\nMIBTEL ENABLED=0\r\nDERIVATI ENABLED=0\r\n"
                        "OBBLIGAZIONI ENABLED=0\r\nFONDI ENABLED=0\r\n")
    {
    }
};

TEST_F(TMainFormAllOffTest, withEveryConnectionOffOnlyPortfolioAndWebAreShown)
{
    showForm();
    for (int k = 0; k < 7; ++k)
        EXPECT_EQ(pages()->isTabVisible(k), k >= 5) << k;
}

TEST_F(TMainFormTest, nameColumnFillsTheActiveTableAndNeverGoesBelowOneHundred)
{
    showForm();
    form().resize(900, 500);
    QTabBar* tabs = pages()->tabBar();
    tabs->setCurrentIndex(static_cast<int>(MainPage::Fondi));
    tabs->setCurrentIndex(static_cast<int>(MainPage::Yahoo)); // as the user changes page
    AlignGridView* shares = table("StringGridYahoo");
    const TAlignGrid& grid = form().core().StringGridYahoo();
    int others = 0;
    for (int col = 0; col < 11; ++col)
        others += col == 1 ? 0 : grid.colWidth(col);
    EXPECT_EQ(grid.colWidth(1), shares->clientWidth() - 11 - others);
    EXPECT_EQ(shares->horizontalHeader()->sectionSize(1), grid.colWidth(1));

    // A drag in the table refits the name column at once.
    shares->horizontalHeader()->resizeSection(4, grid.colWidth(4) + 30);
    EXPECT_EQ(grid.colWidth(1), shares->clientWidth() - 11 - others - 30);

    // Narrower than the other columns: exactly 100 and a horizontal scroll bar.
    const int fundsName = form().core().StringGridFondi().colWidth(1);
    EXPECT_GT(fundsName, 100);
    form().resize(450, 400);
    QApplication::processEvents();
    EXPECT_EQ(grid.colWidth(1), 100);
    EXPECT_TRUE(shares->horizontalScrollBar()->isVisible());

    // Only the active page's table is refitted: the funds table kept its width.
    EXPECT_EQ(form().core().StringGridFondi().colWidth(1),
              64 * 0 + form().core().StringGridFondi().colWidth(1));
}

TEST_F(TMainFormTest, chartItemsOfTheTableMenuAreGreyedOverTheBondsTable)
{
    showForm();
    auto* menu = control<QMenu>("PopupMenuOnGrid");
    auto longRange = [&] {
        std::vector<bool> enabled;
        for (const char* name : {"Grafico1giorno1", "Grafico5giorni1", "Grafico3mesi1", "Grafico6mesi1",
                                 "Grafico1anno1", "Grafico2anni1", "Grafico5anni1"})
            enabled.push_back(control<QAction>(name)->isEnabled());
        return enabled;
    };
    form().setActivePage(MainPage::YahooOBB);
    table("StringGridYahooOBB")->setFocus(Qt::MouseFocusReason);
    emit menu->aboutToShow();
    EXPECT_EQ(longRange(), (std::vector<bool>{true, true, false, false, false, false, false}));
    form().setActivePage(MainPage::Yahoo);
    table("StringGridYahoo")->setFocus(Qt::MouseFocusReason);
    emit menu->aboutToShow();
    EXPECT_EQ(longRange(), std::vector<bool>(7, true));
}

TEST_F(TMainFormTest, rightClicksOnTheStripsAndTheChartOpenTheTrayMenu)
{
    showForm();
    auto* trayMenu = control<QMenu>("PopupMenuTrayIcon");
    form().setActivePage(MainPage::Indici);
    for (QWidget* where :
         {static_cast<QWidget*>(control("ToolBar1")), static_cast<QWidget*>(pages()->tabBar()),
          control("Chart1"), control("TabSheetIndici"), control("TabSheetFondi")}) {
        emit where->customContextMenuRequested(QPoint(5, 5));
        EXPECT_TRUE(trayMenu->isVisible()) << where->objectName().toStdString();
        trayMenu->hide();
    }
    emit table("StringGridPortafoglio")->customContextMenuRequested(QPoint(5, 5));
    EXPECT_TRUE(control<QMenu>("PopupMenuPortafoglio")->isVisible());
    control<QMenu>("PopupMenuPortafoglio")->hide();
}

class TMainFormSharesOnlyTest : public TMainFormTest
{
protected:
    TMainFormSharesOnlyTest()
        : TMainFormTest("[CONNESSIONI]\r\nINDICI ENABLED=0\r\nDERIVATI ENABLED=0\r\n"
                        "OBBLIGAZIONI ENABLED=0\r\nFONDI ENABLED=0\r\n")
    {
    }
};

TEST_F(TMainFormSharesOnlyTest, theOneSecondCountdownRepaintsNoTable)
{
    showForm();
    form().setActivePage(MainPage::Yahoo);
    form().core().Timer1Timer(); // the shares are due at once
    workers.answer(
        "\"ENI.MI\";\"ENI\";17.50;\"1/25/2005\";\"17:35\";17.4;17.3;17.6;17.2;+0.30 - +1.74%;1000\r\n");
    auto* countdown = control<QLabel>("LabelYahooTimer");
    EXPECT_EQ(countdown->text(), "END");
    QTest::qWait(100); // the new rows are painted

    PaintCounter painted(table("StringGridYahoo")->viewport());
    form().core().Timer1Timer();
    QApplication::processEvents();
    const QString counted = countdown->text();
    form().core().Timer1Timer();
    QApplication::processEvents();
    EXPECT_NE(countdown->text(), counted);
    EXPECT_NE(countdown->text(), "END");
    EXPECT_EQ(painted.paints, 0);
}

TEST_F(TMainFormTest, deletingARowAsksFirstAndNoKeepsTheTable)
{
    showForm();
    form().setActivePage(MainPage::Portafoglio);
    QTest::mouseClick(control<QToolButton>("SpeedButtonTitoloPersonale"), Qt::LeftButton);
    TAlignGrid& portfolio = form().core().StringGridPortafoglio();
    ASSERT_EQ(portfolio.cell(1, 1), "PERSONALE");
    portfolio.selectCell(1, 1);

    prompts.answers = {false, true};
    QTest::mouseClick(control<QToolButton>("SpeedButtonDeleteRow"), Qt::LeftButton);
    EXPECT_EQ(portfolio.cell(1, 1), "PERSONALE");
    QTest::mouseClick(control<QToolButton>("SpeedButtonDeleteRow"), Qt::LeftButton);
    EXPECT_EQ(portfolio.cell(1, 1), "");
    EXPECT_EQ(prompts.shown, std::vector<std::string>(2, "question: Confermi la cancellazione della riga?"));
}

TEST_F(TMainFormTest, minimisingHidesOnlyWhereANotificationAreaCanBringTheWindowBack)
{
    showForm(); // the start-up sequence ends with the icon active: minimising hides from then on
    form().showMinimized();
    QApplication::processEvents();
    EXPECT_TRUE(form().isVisible()); // a normal minimise: the window keeps its taskbar entry
    form().showNormal();

    trayAvailable = true;
    form().showMinimized();
    QApplication::processEvents();
    EXPECT_FALSE(form().isVisible());
}

TEST_F(TMainFormTest, failedShutdownSavesAreToldUnlessNobodyIsThereToRead)
{
    for (const bool unattended : {false, true}) {
        m_program.reset();
        prompts.shown.clear();
        std::filesystem::remove_all(dir.file("LISTORIX.INI"));
        std::filesystem::create_directory(dir.file("LISTORIX.INI")); // cannot be read or written
        showForm();
        if (unattended)
            form().setUnattendedShutdown();
        form().FormDestroy();
        if (unattended) {
            EXPECT_TRUE(prompts.shown.empty());
        } else {
            ASSERT_EQ(prompts.shown.size(), 1u);
            EXPECT_EQ(prompts.shown[0].rfind("warning: Impossibile salvare portafoglio", 0), 0u)
                << prompts.shown[0];
        }
    }
}

TEST_F(TMainFormTest, placementIsRestoredAtCreationAndSavedWhenHidden)
{
    dir.write("LISTORIX.INI", "[Window]\r\nNormPos=40,30,700,530\r\nShowCmd=1\r\n");
    EXPECT_EQ(form().geometry(), QRect(40, 30, 660, 500));
    showForm();
    form().setGeometry(60, 50, 640, 480);
    form().hide();
    const std::optional<WindowPlacement> saved = readWindowPlacement(IniFile(dir.file("LISTORIX.INI")));
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->normal, (WindowRect{60, 50, 700, 530}));
}

TEST_F(TMainFormTest, aPlacementOffEveryScreenComesBackOntoThePrimary)
{
    dir.write("LISTORIX.INI", "[Window]\r\nNormPos=-5000,-4000,-4386,-3556\r\n");
    const QRect area = QApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(area.contains(form().geometry().center()));
    EXPECT_EQ(form().size(), QSize(614, 444));
}

TEST_F(TMainFormTest, theWindowFitsItsDesignSizeWhateverItsLabelsSay)
{
    const std::string longText(300, 'x');
    form().core().LabelStatus().setText(longText);
    form().core().LabelPortafoglioTot().setText(longText);
    const QSize least = form().minimumSizeHint();
    EXPECT_LE(least.width(), 614);
    EXPECT_LE(least.height(), 444);
}

// --- the commands of the tool bar, the menus and the tray ---------------------------

const char* const kSharesCache =
    "\"ENI.MI\";\"ENI\";17.50;\"1/25/2005\";\"17:35\";17.4;17.3;17.6;17.2;+0.30 - +1.74%;1000\r\n";

// A right click on a cell opens the table's menu at the pointer, not a header
// height above it.
TEST_F(TMainFormSharesOnlyTest, theTablesMenuOpensWhereThePointerIs)
{
    showForm();
    form().setActivePage(MainPage::Yahoo);
    form().core().Timer1Timer(); // the shares are due at once
    workers.answer(
        "\"ENI.MI\";\"ENI\";17.50;\"1/25/2005\";\"17:35\";17.4;17.3;17.6;17.2;+0.30 - +1.74%;1000\r\n");
    AlignGridView* view = table("StringGridYahoo");
    QWidget* viewport = view->viewport();
    const QPoint at = view->visualRect(view->model()->index(0, 1)).center();
    ASSERT_TRUE(viewport->rect().contains(at));
    auto* menu = control<QMenu>("PopupMenuOnGrid");

    QContextMenuEvent click(QContextMenuEvent::Mouse, at, viewport->mapToGlobal(at));
    QApplication::sendEvent(viewport, &click);
    ASSERT_TRUE(QTest::qWaitFor([menu] { return menu->isVisible(); }));
    EXPECT_EQ(menu->pos(), viewport->mapToGlobal(at));
    menu->close();
}

// Four index lines as the service answers them.
const char* const kIndexAnswer = "\"^MIBTEL\";30697.56;1/25/2005;15:30;+12.30;30700;30600;30685.26\r\n"
                                 "\"^MIB30\";31000.10;1/25/2005;15:30;-5.00;31010;30990;31005.10\r\n"
                                 "\"^MIDEX\";25000.00;1/25/2005;15:30;+1.00;25010;24990;24999.00\r\n"
                                 "\"^SPMIB\";31500.00;1/25/2005;15:30;+2.00;31510;31490;31498.00\r\n";

// Runs `answer` on the modal window the next command opens, once it is up.
template <typename Window>
void whenShown(Window* window, std::function<void(Window&)> answer)
{
    QTimer::singleShot(0, window, [window, answer] {
        if (window->isVisible())
            answer(*window);
    });
}

class TMainFormCommandsTest : public TMainFormTest
{
protected:
    QString lastAddress() const
    {
        return browser && !browser->calls.isEmpty() ? browser->calls.last() : QString();
    }
    QString home() { return QString::fromStdString("navigate " + form().core().catalogue().HomePageUrl); }
};

TEST_F(TMainFormCommandsTest, startUpEndsWithTheSplashGoneTheIconActiveAndTheHomePageLoaded)
{
    showSplash = true;
    EXPECT_TRUE(program().splash().isVisible());
    pages()->setCurrentIndex(static_cast<int>(MainPage::Portafoglio));
    showForm();

    EXPECT_FALSE(program().splash().isVisible());
    EXPECT_TRUE(form().TrayIcon1().isActive());
    EXPECT_EQ(form().TrayIcon1().hint(), "MIBTEL: MIB30: MIDEX:"); // no index data yet
    ASSERT_NE(browser, nullptr);
    EXPECT_EQ(browser, control("Browser"));
    EXPECT_EQ(browser->calls, QStringList{home()});
    EXPECT_EQ(form().activePage(), MainPage::Web);
}

TEST_F(TMainFormCommandsTest, theWebPageRestsWhileTheWindowIsHiddenInTheNotificationArea)
{
    trayAvailable = true;
    showForm();
    browser->calls.clear();
    form().showMinimized();
    ASSERT_TRUE(QTest::qWaitFor([this] { return !form().isVisible(); }));
    EXPECT_EQ(browser->calls.value(0), "rest");

    emit form().TrayIcon1().restoreRequested();
    ASSERT_TRUE(QTest::qWaitFor([this] { return form().isVisible(); }));
    EXPECT_EQ(browser->calls.last(), "wake");
}

TEST_F(TMainFormCommandsTest, trayHintFollowsEachIndexUpdate)
{
    showForm();
    form().core().Timer1Timer(); // the indices are due first
    workers.answer(kIndexAnswer);
    EXPECT_EQ(form().TrayIcon1().hint(), "MIBTEL:+0,04 MIB30:-0,02 MIDEX:+0,00");
}

TEST_F(TMainFormCommandsTest, helpAndHomeShowTheirPageInTheWebTabFromAnyPage)
{
    showForm();
    form().setActivePage(MainPage::Portafoglio);
    QTest::mouseClick(control<QToolButton>("SpeedButtonHelp"), Qt::LeftButton);
    EXPECT_EQ(lastAddress(), QString::fromStdString("navigate " + form().core().catalogue().HelpPageUrl));
    EXPECT_EQ(form().activePage(), MainPage::Web);

    for (const char* item : {"WebHomePage1", "MenuItem7"}) {
        form().setActivePage(MainPage::Portafoglio);
        browser->calls.clear();
        control<QAction>(item)->trigger();
        EXPECT_EQ(browser->calls, QStringList{home()}) << item;
        EXPECT_EQ(form().activePage(), MainPage::Web) << item;
    }
}

TEST_F(TMainFormCommandsTest, chartEntriesOpenTheFocusedTablesChartAndIgnoreTheFunds)
{
    dir.write("y_mibtel.dat", kSharesCache);
    showForm();
    const std::string chart = "navigate http://" + form().core().quoteHostInForce() + "/q/bc?s=ENI.MI";

    form().setActivePage(MainPage::Yahoo);
    table("StringGridYahoo")->setFocus(Qt::MouseFocusReason);
    form().core().StringGridYahoo().selectCell(1, 1);
    control<QAction>("Grafico6mesi1")->trigger();
    EXPECT_EQ(lastAddress(), QString::fromStdString(chart + "&t=6m"));
    EXPECT_EQ(form().activePage(), MainPage::Web);

    form().setActivePage(MainPage::Fondi);
    table("StringGridFondi")->setFocus(Qt::MouseFocusReason);
    browser->calls.clear();
    control<QAction>("Grafico1giorno1")->trigger();
    EXPECT_TRUE(browser->calls.isEmpty());
    EXPECT_EQ(form().activePage(), MainPage::Fondi);
}

TEST_F(TMainFormCommandsTest, excelCopiesTheActiveTableAndRefusesTheIndexPage)
{
    dir.write("y_mibtel.dat", kSharesCache);
    showForm();
    QGuiApplication::clipboard()->setText("before");

    form().setActivePage(MainPage::Indici);
    QTest::mouseClick(control<QToolButton>("SpeedButtonExcel"), Qt::LeftButton);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "before");
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0], "warning: Gli indici non si possono copiare in Excel");

    form().setActivePage(MainPage::Yahoo);
    QTest::mouseClick(control<QToolButton>("SpeedButtonExcel"), Qt::LeftButton);
    // The decimal point is the user's (the machine's locale): not looked at here.
    EXPECT_TRUE(QGuiApplication::clipboard()->text().contains("\r\nENI.MI\tENI\t17"))
        << QGuiApplication::clipboard()->text().toStdString();
    ASSERT_EQ(prompts.shown.size(), 2u);
    EXPECT_EQ(prompts.shown[1].rfind("message: ", 0), 0u);
}

TEST_F(TMainFormCommandsTest, htmlWritesTheReportBesideTheProgramAndOpensItInTheWebTab)
{
    dir.write("y_mibtel.dat", kSharesCache);
    showForm();
    form().setActivePage(MainPage::Yahoo);
    QTest::mouseClick(control<QToolButton>("SpeedButtonHTML"), Qt::LeftButton);
    EXPECT_EQ(lastAddress(), "navigate " + WebTab::fileAddress(dir.file("report.html").string()));
    EXPECT_EQ(form().activePage(), MainPage::Web);
    std::ifstream in(dir.file("report.html"), std::ios::binary);
    const std::string report((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(report.find("Titoli azionari"), std::string::npos);
    EXPECT_NE(report.find("ENI.MI"), std::string::npos);
    EXPECT_TRUE(prompts.shown.empty());
}

TEST_F(TMainFormCommandsTest, htmlReportsItsFailuresThroughTheMessageBoxesAndOpensNothing)
{
    showForm();
    browser->calls.clear();
    form().setActivePage(MainPage::Indici);
    QTest::mouseClick(control<QToolButton>("SpeedButtonHTML"), Qt::LeftButton);
    EXPECT_EQ(prompts.shown, std::vector<std::string>{"warning: Seleziona un altro pannello!"});

    std::filesystem::create_directory(dir.file("report.html")); // cannot be replaced by a file
    form().setActivePage(MainPage::Yahoo);
    QTest::mouseClick(control<QToolButton>("SpeedButtonHTML"), Qt::LeftButton);
    ASSERT_EQ(prompts.shown.size(), 2u);
    EXPECT_EQ(prompts.shown[1].rfind("warning: ", 0), 0u);
    EXPECT_NE(prompts.shown[1].find("report.html"), std::string::npos);
    EXPECT_TRUE(browser->calls.isEmpty());
    EXPECT_EQ(form().activePage(), MainPage::Yahoo);
}

TEST_F(TMainFormCommandsTest, priceAlertEntriesOpenTheirDialogsAndStoreTheAlert)
{
    dir.write("y_mibtel.dat", kSharesCache);
    showForm();
    form().setActivePage(MainPage::Yahoo);
    form().core().StringGridYahoo().selectCell(1, 1);

    // "Avviso di prezzo..." of the shares table: the dialog for its selected row.
    QString title;
    whenShown<QDialog>(&program().alertDialog(), [&](QDialog& shown) {
        title = shown.findChild<QLabel*>("LabelTitolo")->text();
        shown.findChild<QLineEdit*>("EditSopra")->setText("20");
        QTest::mouseClick(shown.findChild<QPushButton*>("ButtonOK"), Qt::LeftButton);
    });
    control<QAction>("Avvisodiprezzo1")->trigger();
    EXPECT_TRUE(title.contains("ENI.MI")) << title.toStdString();
    ASSERT_EQ(form().core().alerts().alerts().size(), 1u);
    EXPECT_NE(readFile(dir.file("LISTORIX.INI")).find("[Avvisi]\r\n1=TA;ENI.MI;20;"), std::string::npos);

    // "Avvisi" from the tables' menu and from the icon's: the list.
    for (const char* entry : {"MenuItemAvvisi", "Avvisi1"}) {
        bool listed = false;
        whenShown<QDialog>(&program().alertList(), [&](QDialog& shown) {
            listed = shown.objectName() == "DlgAvvisi";
            shown.reject();
        });
        control<QAction>(entry)->trigger();
        EXPECT_TRUE(listed) << entry;
    }
    // The portfolio's entry on a personal row tells why there is nothing to watch.
    form().setActivePage(MainPage::Portafoglio);
    control<QAction>("Avvisodiprezzo2")->trigger();
    ASSERT_FALSE(prompts.shown.empty());
    EXPECT_EQ(prompts.shown.back().rfind("warning: ", 0), 0u);
}

TEST_F(TMainFormCommandsTest, thePortfolioGoesOutAsCsvAndComesBackIntoAnEmptyOne)
{
    dir.write("y_mibtel.dat", kSharesCache);
    dir.write("LISTORIX.INI", "[Portafoglio]\r\n1=ENI.MI;ENI;TA;100;;;10;01/02/2003\r\n"
                              "2=;Casa;PERS;1;;150000;120000;05/06/2004\r\n");
    showForm();
    TAlignGrid& portfolio = form().core().StringGridPortafoglio();
    const std::string total = form().core().LabelPortafoglioTot().text();
    ASSERT_EQ(portfolio.rowCount(), 3);

    files.answer = dir.file("portafoglio.csv");
    control<QAction>("Esportaportafoglio1")->trigger();
    ASSERT_TRUE(std::filesystem::exists(dir.file("portafoglio.csv")));
    EXPECT_EQ(readFile(dir.file("portafoglio.csv")).rfind("\xEF\xBB\xBF", 0), 0u); // UTF-8 with its mark

    portfolio.setRowCount(2);
    for (int col = 0; col < portfolio.colCount(); ++col)
        portfolio.setCell(col, 1, "");
    prompts.answers.push_back(true);
    control<QAction>("Importaportafoglio1")->trigger();
    EXPECT_EQ(prompts.shown.back(), "question: Confermi l'importazione di 2 righe?");
    EXPECT_EQ(portfolio.cell(0, 1), "ENI.MI"); // into the empty row first
    EXPECT_EQ(portfolio.cell(1, 2), "Casa");
    EXPECT_EQ(form().core().LabelPortafoglioTot().text(), total);
    EXPECT_NE(readFile(dir.file("LISTORIX.INI")).find("ENI.MI;ENI;TA;100"), std::string::npos);
}

// The web source's chart entries: a chart the program draws, fetched off the main
// thread from the chart endpoint (here a server on loopback), written beside the
// report and opened in the web tab; a failure shows a page that says why.
class TMainFormWebChartsTest : public TMainFormCommandsTest
{
protected:
    static std::string chartAnswer()
    {
        const std::string body =
            "{\"chart\":{\"result\":[{\"meta\":{\"currency\":\"EUR\",\"symbol\":\"ENI.MI\","
            "\"shortName\":\"ENI\"},\"timestamp\":[1106640000,1106726400,1106812800],"
            "\"indicators\":{\"quote\":[{\"close\":[11.2,11.7,11.5]}]}}],\"error\":null}}";
        return "HTTP/1.1 200 OK\r\nContent-Type: application/json\r\nContent-Length: " +
               std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
    }
};

TEST_F(TMainFormWebChartsTest, aChartEntryOpensTheChartTheProgramDrawsOrAPageThatSaysWhyNot)
{
    test::ScriptedServer chart({{chartAnswer()}, {"HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\n\r\n"}});
    dir.write("LISTORIX.INI", "[SERVIZIO]\r\nSORGENTE=web\r\nWEB_GRAFICI=http://" + chart.origin() +
                                  "\r\nWEB_BORSA=http://127.0.0.1:1\r\nWEB_RICERCA=http://127.0.0.1:1\r\n");
    dir.write("y_mibtel.dat", kSharesCache);
    showForm();
    form().setActivePage(MainPage::Yahoo);
    form().core().StringGridYahoo().selectCell(1, 1);
    browser->calls.clear();

    control<QAction>("Grafico5anni1")->trigger();
    const QString page = "navigate " + WebTab::fileAddress(dir.file("grafico.html").string());
    ASSERT_TRUE(QTest::qWaitFor([&] { return lastAddress() == page; }, 10000));
    EXPECT_EQ(form().activePage(), MainPage::Web);
    const std::string drawn = readFile(dir.file("grafico.html"));
    EXPECT_NE(drawn.find("<svg"), std::string::npos);
    EXPECT_NE(drawn.find("ENI.MI"), std::string::npos);
    EXPECT_EQ(chart.requests().at(0).rfind("GET /v8/finance/chart/ENI.MI?range=5y&interval=1wk", 0), 0u)
        << chart.requests().at(0);

    // The endpoint has nothing for a day: the page says so, in Italian.
    browser->calls.clear();
    form().setActivePage(MainPage::Yahoo);
    control<QAction>("Grafico1giorno1")->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return lastAddress() == page; }, 10000));
    const std::string failed = readFile(dir.file("grafico.html"));
    EXPECT_EQ(failed.find("<svg"), std::string::npos);
    EXPECT_TRUE(prompts.shown.empty());
}

TEST_F(TMainFormCommandsTest, portfolioDialogOpensFromEachOfItsCommands)
{
    TDlgPortafoglio& dialog = program().dlgPortafoglio();
    showForm();
    int opened = 0;
    const auto openedBy = [&](const std::function<void()>& command) {
        whenShown<QDialog>(&dialog, [&](QDialog& shown) {
            ++opened;
            shown.reject();
        });
        command();
    };
    openedBy([&] { control<QAction>("Portafoglio1")->trigger(); });
    openedBy([&] { control<QAction>("MenuItem1")->trigger(); });
    openedBy([&] { control<QAction>("Edit1")->trigger(); });
    openedBy(
        [&] { QTest::mouseClick(control<QToolButton>("SpeedButtonModificaPortafoglio"), Qt::LeftButton); });
    openedBy(
        [&] { form().core().StringGridPortafoglio().OnDblClick(form().core().StringGridPortafoglio()); });
    EXPECT_EQ(opened, 5);
}

TEST_F(TMainFormCommandsTest, aboutBoxShowsTheVersionAndItsNameClickOpensTheHomePage)
{
    TAboutForm& about = program().aboutForm();
    showForm();
    QString text;
    whenShown<QDialog>(&about, [&](QDialog& shown) {
        text = shown.findChild<QLabel*>("LabelTesto")->text();
        emit about.homePageRequested(); // LabelListorixClick
        shown.accept();
    });
    browser->calls.clear();
    form().setActivePage(MainPage::Portafoglio);
    control<QAction>("Informazioni1")->trigger();
    EXPECT_TRUE(text.startsWith("Versione: 4.35\n")) << text.toStdString();
    EXPECT_TRUE(text.contains("e-mail: ")) << text.toStdString();
    EXPECT_EQ(browser->calls, QStringList{home()});
    EXPECT_EQ(form().activePage(), MainPage::Web);
}

TEST_F(TMainFormCommandsTest, chiudiFromTheTrayMenuClosesTheWindowEvenWhileHidden)
{
    trayAvailable = true;
    showForm();
    form().showMinimized();
    QApplication::processEvents();
    ASSERT_FALSE(form().isVisible());

    int closes = 0;
    struct CloseCounter : QObject
    {
        int* closes;
        bool eventFilter(QObject*, QEvent* event) override
        {
            *closes += event->type() == QEvent::Close;
            return false;
        }
    } counter;
    counter.closes = &closes;
    form().installEventFilter(&counter);
    control<QAction>("Chiudi1")->trigger();
    form().removeEventFilter(&counter);
    EXPECT_EQ(closes, 1);
}

class TMainFormProxyTest : public TMainFormCommandsTest
{
protected:
    TMainFormProxyTest() : TMainFormCommandsTest()
    {
        dir.write("LISTORIX.INI", proxySettings("first.example"));
    }
    ~TMainFormProxyTest() override
    {
        QNetworkProxy::setApplicationProxy(QNetworkProxy(QNetworkProxy::NoProxy));
    }
    static std::string proxySettings(const std::string& host)
    {
        return "[PROXY]\r\nENABLED=S\r\nADDRESS=" + host + "\r\nPORT=3128\r\n";
    }
};

TEST_F(TMainFormProxyTest, browserFollowsTheProxyAtStartUpAndAfterTheDialogsOk)
{
    TFormConfigura& dialog = program().formConfigura();
    showForm();
    EXPECT_EQ(QNetworkProxy::applicationProxy().hostName(), "first.example");
    EXPECT_EQ(QNetworkProxy::applicationProxy().port(), 3128);

    dir.write("LISTORIX.INI", proxySettings("second.example")); // the dialog opens with the file's settings
    whenShown<QDialog>(&dialog, [](QDialog& shown) { shown.findChild<QPushButton*>("BitBtn1")->click(); });
    control<QAction>("Config")->trigger();
    EXPECT_EQ(QNetworkProxy::applicationProxy().hostName(), "second.example");
}

} // namespace
} // namespace listorix
