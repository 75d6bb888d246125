#pragma once

#include "alerts/PriceAlert.h"

#include <optional>
#include <string>
#include <string_view>

namespace listorix {

// The section of the settings file that holds the price alerts, one key each:
//
//   [Avvisi]
//   1=TA;ENI.MI;14,2;;3;S-A;ENI
//
// The keys are numbers, as the portfolio's rows; the value's fields, separated by
// ";": the type code of the alert's table ("TA", "TO", "TD", "F"), the security
// code, the level at or above, the level at or below, the change percentage (each
// empty when not watched, written as the file writes numbers: decimal comma, no
// grouping), the states of the three conditions ("A" armed, "S" fired, "-" not
// watched), and the name, which takes the rest of the line. A value without the
// states has its conditions armed.
inline constexpr std::string_view kAlertsSection = "Avvisi";

std::string encodeAlertEntry(const PriceAlert& alert);
// Nothing when the value is not an alert that could have been stored: an unknown
// type code, no code, a level that is not a number, conditions that the dialog
// would refuse (alertProblem), states of another form.
std::optional<PriceAlert> decodeAlertEntry(std::string_view value);

} // namespace listorix
