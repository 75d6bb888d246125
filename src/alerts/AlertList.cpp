#include "alerts/AlertList.h"

namespace listorix {

namespace {

// The conditions of the alert, those in the given state only when one is given.
std::string conditionsOf(const PriceAlert& alert, const AlertState* only)
{
    std::string text;
    for (const AlertCondition condition : kAlertConditions) {
        const AlertRule& rule = alert.rule(condition);
        if (!rule.level || (only != nullptr && rule.state != *only))
            continue;
        if (!text.empty())
            text += "; ";
        text += conditionText(condition, *rule.level);
    }
    return text;
}

} // namespace

std::vector<AlertListRow> alertListRows(const std::vector<PriceAlert>& alerts)
{
    std::vector<AlertListRow> rows;
    rows.reserve(alerts.size());
    constexpr AlertState kFired = AlertState::Fired;
    for (const PriceAlert& alert : alerts) {
        rows.push_back(
            {alert.code, alert.name, std::string(categoryOf(alert.category).caption),
             conditionsOf(alert, nullptr),
             alert.anyFired() ? "scattato: " + conditionsOf(alert, &kFired) : std::string("armato")});
    }
    return rows;
}

std::string deleteAlertQuestion(const PriceAlert& alert)
{
    return "Confermi la cancellazione dell'avviso su " + alert.code + "?";
}

} // namespace listorix
