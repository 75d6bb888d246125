#pragma once

#include "base/Colour.h"
#include "market/Categories.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace listorix {

// What an alert may watch on its security, each condition on its own: the price
// at or above a level, the price at or below a level, the day's change ("var.%")
// at or beyond plus or minus a percentage.
enum class AlertCondition
{
    AtOrAbove,
    AtOrBelow,
    ChangeBeyond,
};
inline constexpr std::array<AlertCondition, 3> kAlertConditions = {
    AlertCondition::AtOrAbove, AlertCondition::AtOrBelow, AlertCondition::ChangeBeyond};

// Armed: the condition fires the next time it holds. Fired: it held at a check and
// fires again only after it has not held at a later one.
enum class AlertState
{
    Armed,
    Fired,
};

struct AlertRule
{
    std::optional<double> level; // none: the condition is not watched
    AlertState state = AlertState::Armed;

    bool operator==(const AlertRule&) const = default;
};

// The price cell of a row whose alert fired at the last check: bold, in this colour.
inline constexpr TColor kAlertColour = rgbColour(160, 0, 160);

// A price alert on one security of a quote table, named by its code (column 0 of
// the table; letter case ignored) and remembered with its name.
struct PriceAlert
{
    ConnectionId category = ConnectionId::Azioni;
    std::string code;
    std::string name;
    std::array<AlertRule, 3> rules{}; // by AlertCondition

    AlertRule& rule(AlertCondition condition) { return rules[static_cast<std::size_t>(condition)]; }
    const AlertRule& rule(AlertCondition condition) const
    {
        return rules[static_cast<std::size_t>(condition)];
    }
    bool watchesAnything() const;
    bool anyFired() const;

    bool operator==(const PriceAlert&) const = default;
};

// One check of the alert against its row of a fresh download: the price and the
// change cell as the table shows them (Italian display form; the change may be
// empty where the table has none). A watched condition that holds while armed
// fires and its text is returned; one that does not hold while fired is armed
// again. An empty price checks nothing; a price or change that does not read as a
// number checks nothing of the conditions that need it.
//
// Texts name the code, the value shown and the level: "ENI.MI: 14,250 >= 14,200",
// "ENI.MI: 13,400 <= 13,500", "ENI.MI: var.% -3,25 <= -3,00". The core's code
// page has no sign for "at or above", so ">=" and "<=" stand for them; the level
// takes at least as many decimals as the value it is compared with.
std::vector<std::string> checkAlert(PriceAlert& alert, std::string_view priceText,
                                    std::string_view changeText);

// The column of the day's change ("var.%") in the quote table of the connection;
// -1 where it has none (the funds, the indices).
int changeColumnOf(ConnectionId id);

// The condition with its level as a list shows it: ">= 14,2", "<= 13,5",
// "var.% ±3" (the plus-minus sign is in the code page).
std::string conditionText(AlertCondition condition, double level);

} // namespace listorix
