// The end-to-end test's eyes on the X display:
//   listorix-e2e-helper grab OUT.png [WINDOW_ID]   saves the screen, or one window, as PNG
//   listorix-e2e-helper places CAPTION...          prints where the test clicks, one
//                                                 (the captions of the tabs shown)
//                                                 "name x y" per line, measured on the
//                                                 program's own widgets laid out as the
//                                                 main window lays them out
#include "app/gui/MainToolBar.h"
#include "grid/TAlignGrid.h"
#include "grid/gui/AlignGridView.h"
#include "market/QuoteTables.h"
#include "market/gui/QuotePage.h"
#include "portfolio/PortfolioTable.h"
#include "portfolio/gui/PortfolioPage.h"

#include <QApplication>
#include <QPixmap>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

int grab(int argc, char** argv)
{
    if (argc < 3)
        return 2;
    QScreen* screen = QGuiApplication::primaryScreen();
    const WId window = argc > 3 ? static_cast<WId>(std::strtoull(argv[3], nullptr, 0)) : 0;
    const QPixmap shot = screen ? screen->grabWindow(window) : QPixmap();
    if (shot.isNull() || !shot.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "listorix-e2e-helper: cannot save %s\n", argv[2]);
        return 1;
    }
    return 0;
}

void print(const char* name, const QPoint& at)
{
    std::printf("%s %d %d\n", name, at.x(), at.y());
}

// The window's inside from its top left: the tool bar, then the page control with
// a tab per caption shown (the shares and the portfolio pages as the program makes
// them).
int places(int argc, char** argv)
{
    QWidget inside;
    listorix::MainToolBar toolBar(&inside);
    toolBar.resize(614, toolBar.height());

    QTabWidget pages(&inside);
    pages.move(0, toolBar.height());
    listorix::TAlignGrid grid;
    listorix::setUpPortfolioTable(grid);
    listorix::TAlignGrid shares;
    listorix::setUpQuoteTable(shares, listorix::ConnectionId::Azioni);
    listorix::QuotePage* sharesPage = nullptr;
    for (int k = 2; k < argc; ++k) {
        const QString caption = QString::fromUtf8(argv[k]);
        QWidget* page = nullptr;
        if (caption == "Titoli azionari")
            page = sharesPage = new listorix::QuotePage(shares, "StringGridYahoo", "LabelYahooTimer");
        else if (caption == "Portafoglio")
            page = new listorix::PortfolioPage(grid);
        else
            page = new QWidget;
        pages.addTab(page, caption);
    }
    pages.resize(614, 300);
    inside.resize(614, 335);
    inside.show();
    QApplication::processEvents();
    for (QToolButton* button : toolBar.findChildren<QToolButton*>())
        print(qPrintable("toolbar." + button->objectName()), button->mapTo(&inside, button->rect().center()));
    const QTabBar* bar = pages.tabBar();
    for (int k = 0; k < bar->count(); ++k)
        print(qPrintable("tab." + QString::number(k)), bar->mapTo(&inside, bar->tabRect(k).center()));
    if (sharesPage) {
        pages.setCurrentWidget(sharesPage);
        QApplication::processEvents();
        listorix::AlignGridView* table = sharesPage->table();
        const QPoint cell = table->visualRect(table->model()->index(0, 1)).center();
        print("shares.firstRow", table->viewport()->mapTo(&inside, cell));
    }
    if (auto* portfolio = pages.findChild<listorix::PortfolioPage*>()) {
        pages.setCurrentWidget(portfolio);
        QApplication::processEvents();
        const QToolButton* personal = portfolio->buttons().SpeedButtonTitoloPersonale;
        print("portfolio.SpeedButtonTitoloPersonale", personal->mapTo(&inside, personal->rect().center()));
        listorix::AlignGridView* table = portfolio->table();
        const QPoint cell = table->visualRect(table->model()->index(0, 1)).center();
        print("portfolio.firstRow", table->viewport()->mapTo(&inside, cell));
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    QApplication app(argc, argv);
    if (argc >= 2 && std::strcmp(argv[1], "grab") == 0)
        return grab(argc, argv);
    if (argc >= 2 && std::strcmp(argv[1], "places") == 0)
        return places(argc, argv);
    std::fprintf(stderr, "usage: listorix-e2e-helper grab OUT.png [WINDOW_ID] | places CAPTION...\n");
    return 2;
}
