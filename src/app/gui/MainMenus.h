#pragma once

#include <array>

class QAction;
class QMenu;
class QWidget;

namespace listorix {

// The main window's three popup menus, their items named as the program names
// them. The hidden items exist and stay hidden and disabled.
struct MainMenus
{
    // Notification icon, tab strip, tool bar, index panel and chart.
    QMenu* PopupMenuTrayIcon;
    QAction* Portafoglio1;
    QAction* Config;
    QAction* Avvisi1;
    QAction* ConfiguraschedaTV1;
    QAction* Aggiornailplugindainternet1;
    QAction* Informazioni1;
    QAction* WebHomePage1;
    QAction* Chiudi1;

    // The portfolio table.
    QMenu* PopupMenuPortafoglio;
    QAction* Edit1;
    QAction* Duplicariga1;
    QAction* Cancella1;
    QAction* Avvisodiprezzo2;
    QAction* Esportaportafoglio1;
    QAction* Importaportafoglio1;

    // The four category tables.
    QMenu* PopupMenuOnGrid;
    QAction* Aggiungialportafoglio1;
    QAction* Avvisodiprezzo1;
    QAction* MenuItemAvvisi;
    // "Grafico 1 giorno" ... "Grafico 5 anni" (kChartEntries), periods 1 to 7.
    std::array<QAction*, 7> grafico;
    QAction* MenuItem1;
    QAction* MenuItem2;
    QAction* MenuItem3;
    QAction* MenuItem4;
    QAction* MenuItem6;
    QAction* MenuItem7;
    QAction* MenuItem8;
    QAction* MenuItem10;
};

MainMenus buildMainMenus(QWidget* owner);

} // namespace listorix
