#pragma once

#include "alerts/PriceAlert.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace listorix {

struct AlertTarget;

// The captions of the alert dialog's three fields, by AlertCondition.
inline constexpr std::array<std::string_view, 3> kAlertFieldCaptions = {
    "Prezzo pari o superiore a", "Prezzo pari o inferiore a", "Variazione del giorno oltre \xB1 (%)"};

inline constexpr std::string_view kNoConditionText = "Indicare almeno una condizione.";
inline constexpr std::string_view kPriceNotAboveZeroText =
    "Il livello di \"%s\" deve essere maggiore di zero: un prezzo non scende a zero.";
inline constexpr std::string_view kChangeNotAboveZeroText =
    "La variazione deve essere maggiore di zero: \xB1 0% comprende ogni variazione.";
inline constexpr std::string_view kBandUpsideDownText =
    "Il livello superiore deve essere maggiore di quello inferiore: altrimenti ogni prezzo fa scattare "
    "l'avviso.";
inline constexpr std::string_view kFundsHaveNoChangeText =
    "I fondi non hanno la variazione del giorno: la condizione sulla variazione non si pu\xF2 usare.";
inline constexpr std::string_view kNotANumberText = "\"%s\": \"%v\" non \xE8 un numero.";

// The three fields as the user typed them, by AlertCondition.
using AlertFields = std::array<std::string, 3>;

// The fields that show an alert: each watched level in display form, the others
// empty; all empty for none.
AlertFields fieldsOf(const PriceAlert* alert);

// What the dialog's "OK" makes of the fields: the alert on the target, every
// condition armed, or the Italian message that refuses them (then no alert).
// A field may be empty (not watched); a number may be written with a decimal
// comma or point and with thousands points ("1.234,5"), the change with a "%".
struct AlertInput
{
    std::optional<PriceAlert> alert;
    std::string problem;
};
AlertInput readAlertInput(const AlertTarget& target, const AlertFields& fields);

// What makes the alert's conditions unusable, as the message that says so; empty
// when it may be stored. An alert off the quote tables (the indices); no condition; a price level of zero or
// less (below it never holds, above it always); a change of zero or less (always holds); the level above not
// greater than the level below (every price holds one of the two); a change on the funds table, which has
// none.
std::string alertProblem(const PriceAlert& alert);

} // namespace listorix
