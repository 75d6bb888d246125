#pragma once

#include "market/Categories.h"

#include <array>
#include <cstddef>
#include <optional>

namespace listorix {

// The pages of the main window's page control, in their order: the five pages of
// the connections, in kConnectionOrder (their names and captions are in
// Categories.h), then the portfolio and the web tab.
enum class MainPage
{
    Indici,        // TabSheetIndici, "Indici"
    Yahoo,         // TabSheetYahoo, "Titoli azionari"
    YahooOBB,      // TabSheetYahooOBB, "Obbligazioni"
    YahooDerivati, // TabSheetYahooDerivati, "Derivati"
    Fondi,         // TabSheetFondi, "Fondi"
    Portafoglio,   // TabSheetPortafoglio, "Portafoglio"
    Web,           // TabSheetWeb, "Web"
};

inline constexpr std::array<MainPage, 7> kMainPages = {
    MainPage::Indici, MainPage::Yahoo,       MainPage::YahooOBB, MainPage::YahooDerivati,
    MainPage::Fondi,  MainPage::Portafoglio, MainPage::Web};

// The page of a connection.
constexpr MainPage pageOf(ConnectionId id)
{
    return kMainPages[indexOf(id)];
}

// The connection of a page; none for the portfolio and the web tab.
constexpr std::optional<ConnectionId> connectionOfPage(MainPage page)
{
    for (const ConnectionId id : kConnectionOrder) {
        if (pageOf(id) == page)
            return id;
    }
    return std::nullopt;
}

// Shows and hides the pages' tabs; the shell implements it over its page control.
class PageVisibility
{
public:
    virtual ~PageVisibility() = default;

    virtual void setPageVisible(MainPage page, bool visible) = 0;
};

} // namespace listorix
