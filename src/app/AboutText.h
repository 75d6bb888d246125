#pragma once

#include <array>
#include <string>
#include <string_view>

namespace listorix {

// The maker's credit lines of the about box, in order.
inline constexpr std::array<std::string_view, 2> kAboutCreditLines = {
    "Quotazioni della Borsa italiana sul desktop",
    "realizzato dagli sviluppatori di Listorix",
};

// The splash window's texts: title, the two lines of the loading notice (CR LF
// between them) and the maker's line.
inline constexpr std::string_view kSplashTitle = "Listorix 4";
inline constexpr std::string_view kSplashLoading = "Caricamento\r\nin corso";
inline constexpr std::string_view kSplashMakerLine = "gli sviluppatori di Listorix";
// The product's web address as the splash window shows it.
inline constexpr std::string_view kProductWebAddress = "www.listorix.example";

// The about box's text: "Versione: " and the version, a CR, each credit line
// ended by a CR, an empty line and the contact text.
std::string aboutText(std::string_view version, std::string_view contactText);

} // namespace listorix
