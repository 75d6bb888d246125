#pragma once

#include <array>

namespace listorix {

// The pages of the main window's page control, in their order.
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

// Shows and hides the pages' tabs; the shell implements it over its page control.
class PageVisibility
{
public:
    virtual ~PageVisibility() = default;

    virtual void setPageVisible(MainPage page, bool visible) = 0;
};

} // namespace listorix
