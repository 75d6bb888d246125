#pragma once

#include "alerts/PriceAlert.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace listorix {

// The list of alerts "Avvisi" as its columns show it.
inline constexpr std::string_view kAlertListCaption = "Avvisi";
inline constexpr std::array<std::string_view, 5> kAlertListTitles = {"Codice", "Nome", "Tabella",
                                                                     "Condizioni", "Stato"};

struct AlertListRow
{
    std::string code;
    std::string name;
    std::string table;      // the page's caption: "Titoli azionari", "Obbligazioni", ...
    std::string conditions; // ">= 14,2; var.% ±3"
    std::string state;      // "armato", or "scattato: " and the conditions that fired

    bool operator==(const AlertListRow&) const = default;
};

std::vector<AlertListRow> alertListRows(const std::vector<PriceAlert>& alerts);

// "Confermi la cancellazione dell'avviso su ENI.MI?"
std::string deleteAlertQuestion(const PriceAlert& alert);

} // namespace listorix
