#include "alerts/AlertEntry.h"

#include "alerts/AlertInput.h"
#include "base/Fields.h"
#include "base/NumberFormat.h"
#include "base/Trim.h"
#include "market/Categories.h"

namespace listorix {

namespace {

constexpr char kArmed = 'A';
constexpr char kFired = 'S';
constexpr char kNotWatched = '-';

} // namespace

std::string encodeAlertEntry(const PriceAlert& alert)
{
    std::string value = std::string(categoryOf(alert.category).typeCode) + ';' + alert.code;
    std::string states;
    for (const AlertCondition condition : kAlertConditions) {
        const AlertRule& rule = alert.rule(condition);
        value += ';';
        if (rule.level)
            value += formatGeneral(*rule.level);
        states += !rule.level ? kNotWatched : rule.state == AlertState::Fired ? kFired : kArmed;
    }
    return value + ';' + states + ';' + alert.name;
}

std::optional<PriceAlert> decodeAlertEntry(std::string_view value)
{
    PriceAlert alert;
    const std::optional<ConnectionId> category = connectionOfTypeCode(trimSpacesAndTabs(NextField(value)));
    if (!category)
        return std::nullopt;
    alert.category = *category;
    alert.code = trimSpacesAndTabs(NextField(value));
    if (alert.code.empty())
        return std::nullopt;
    for (const AlertCondition condition : kAlertConditions) {
        const std::string_view level = trimSpacesAndTabs(NextField(value));
        if (level.empty())
            continue;
        alert.rule(condition).level = parseNumber(level);
        if (!alert.rule(condition).level)
            return std::nullopt;
    }
    if (!alertProblem(alert).empty())
        return std::nullopt;

    const std::string_view states = trimSpacesAndTabs(NextField(value));
    if (!states.empty()) {
        if (states.size() != kAlertConditions.size())
            return std::nullopt;
        for (std::size_t i = 0; i < states.size(); ++i) {
            AlertRule& rule = alert.rules[i];
            if (rule.level && states[i] == kFired)
                rule.state = AlertState::Fired;
            else if (rule.level ? states[i] != kArmed : states[i] != kNotWatched)
                return std::nullopt;
        }
    }
    alert.name = trimSpacesAndTabs(value);
    return alert;
}

} // namespace listorix
