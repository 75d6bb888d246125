#include "app/gui/MainMenus.h"

#include "market/ChartEntries.h"

#include <QAction>
#include <QMenu>

namespace listorix {

namespace {

QAction* item(QMenu* menu, std::string_view name, std::string_view caption, bool shown = true)
{
    QAction* action =
        menu->addAction(QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())));
    action->setObjectName(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
    if (!shown) {
        action->setVisible(false);
        action->setEnabled(false);
    }
    return action;
}

QMenu* menu(QWidget* owner, const char* name)
{
    auto* result = new QMenu(owner);
    result->setObjectName(name);
    return result;
}

} // namespace

MainMenus buildMainMenus(QWidget* owner)
{
    MainMenus m{};

    m.PopupMenuTrayIcon = menu(owner, "PopupMenuTrayIcon");
    m.Portafoglio1 = item(m.PopupMenuTrayIcon, "Portafoglio1", "Portafoglio");
    m.Config = item(m.PopupMenuTrayIcon, "Config", "Configurazione");
    m.Avvisi1 = item(m.PopupMenuTrayIcon, "Avvisi1", "Avvisi");
    m.ConfiguraschedaTV1 = item(m.PopupMenuTrayIcon, "ConfiguraschedaTV1", "Configura scheda TV", false);
    m.Aggiornailplugindainternet1 =
        item(m.PopupMenuTrayIcon, "Aggiornailplugindainternet1", "Aggiorna il plugin da internet", false);
    m.PopupMenuTrayIcon->addSeparator();
    m.Informazioni1 = item(m.PopupMenuTrayIcon, "Informazioni1", "Informazioni");
    m.WebHomePage1 = item(m.PopupMenuTrayIcon, "WebHomePage1", "Web Listorix Home Page ");
    m.PopupMenuTrayIcon->addSeparator();
    m.Chiudi1 = item(m.PopupMenuTrayIcon, "Chiudi1", "Chiudi");

    m.PopupMenuPortafoglio = menu(owner, "PopupMenuPortafoglio");
    m.Edit1 = item(m.PopupMenuPortafoglio, "Edit1", "Modifica Portafoglio");
    m.PopupMenuPortafoglio->setDefaultAction(m.Edit1);
    m.Duplicariga1 = item(m.PopupMenuPortafoglio, "Duplicariga1", "Duplica riga");
    m.Cancella1 = item(m.PopupMenuPortafoglio, "Cancella1", "Cancella riga");
    m.Cancella1->setShortcut(QKeySequence(Qt::Key_Delete));
    m.PopupMenuPortafoglio->addSeparator();
    m.Avvisodiprezzo2 = item(m.PopupMenuPortafoglio, "Avvisodiprezzo2", "Avviso di prezzo...");
    m.PopupMenuPortafoglio->addSeparator();
    m.Esportaportafoglio1 =
        item(m.PopupMenuPortafoglio, "Esportaportafoglio1", "Esporta portafoglio (CSV)...");
    m.Importaportafoglio1 =
        item(m.PopupMenuPortafoglio, "Importaportafoglio1", "Importa portafoglio (CSV)...");

    m.PopupMenuOnGrid = menu(owner, "PopupMenuOnGrid");
    m.Aggiungialportafoglio1 = item(m.PopupMenuOnGrid, "Aggiungialportafoglio1", "Aggiungi al portafoglio");
    m.Avvisodiprezzo1 = item(m.PopupMenuOnGrid, "Avvisodiprezzo1", "Avviso di prezzo...");
    m.MenuItemAvvisi = item(m.PopupMenuOnGrid, "MenuItemAvvisi", "Avvisi");
    m.PopupMenuOnGrid->addSeparator();
    static_assert(kChartEntries.size() == std::tuple_size_v<decltype(m.grafico)>);
    for (std::size_t k = 0; k < m.grafico.size(); ++k)
        m.grafico[k] = item(m.PopupMenuOnGrid, kChartEntries[k].name, kChartEntries[k].caption);
    m.PopupMenuOnGrid->addSeparator();
    m.MenuItem1 = item(m.PopupMenuOnGrid, "MenuItem1", "Portafoglio");
    m.MenuItem2 = item(m.PopupMenuOnGrid, "MenuItem2", "Configurazione");
    m.MenuItem3 = item(m.PopupMenuOnGrid, "MenuItem3", "Configura scheda TV", false);
    m.MenuItem4 = item(m.PopupMenuOnGrid, "MenuItem4", "Aggiorna il plugin da internet", false);
    m.PopupMenuOnGrid->addSeparator();
    m.MenuItem6 = item(m.PopupMenuOnGrid, "MenuItem6", "Informazioni");
    m.MenuItem7 = item(m.PopupMenuOnGrid, "MenuItem7", "Web Listorix Home Page ");
    m.MenuItem8 = item(m.PopupMenuOnGrid, "MenuItem8", "Web Page Televideo RAI", false);
    m.PopupMenuOnGrid->addSeparator();
    m.MenuItem10 = item(m.PopupMenuOnGrid, "MenuItem10", "Chiudi");
    return m;
}

} // namespace listorix
