#pragma once

#include "market/Categories.h"

#include <optional>
#include <string>
#include <string_view>

namespace listorix {

class TAlignGrid;
struct CategoryTables;
struct PriceAlert;

// The security an alert is set on, as the alert dialog shows it: its table, its
// code and name, and its current price in display form (empty when unknown).
struct AlertTarget
{
    ConnectionId category = ConnectionId::Azioni;
    std::string code;
    std::string name;
    std::string price;

    bool operator==(const AlertTarget&) const = default;
};

inline constexpr std::string_view kNoSecurityRowText = "Selezionare la riga di un titolo.";
inline constexpr std::string_view kPersonalRowText = "Una riga personale non ha quotazioni da sorvegliare: "
                                                     "l'avviso di prezzo vale per i titoli delle tabelle.";

// The security of row `row` of `grid`: one of the four quote tables of
// `categories`, or else the portfolio table, whose row refers by its code and
// type to a quote table (its price is taken from there when the code stands in
// it, else the row's own). Nothing, with the reason in `problem`, for the header,
// a row without a code, a free row or a personal row.
std::optional<AlertTarget> alertTargetOfRow(const CategoryTables& categories, const TAlignGrid& grid, int row,
                                            std::string& problem);

// The security of an alert already set, with the price its table shows now.
AlertTarget alertTargetOf(const CategoryTables& categories, const PriceAlert& alert);

// The first data row of a quote table whose code equals `code`, letter case
// ignored; -1 when none does.
int rowOfCode(const TAlignGrid& table, std::string_view code);

} // namespace listorix
