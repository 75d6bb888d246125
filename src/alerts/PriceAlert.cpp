#include "alerts/PriceAlert.h"

#include "base/NumberFormat.h"
#include "base/Trim.h"

#include <algorithm>
#include <cmath>

namespace listorix {

namespace {

// Most decimals a level is shown with.
constexpr int kMostLevelDecimals = 9;

// The digits after the decimal comma of a display number.
int decimalsOf(std::string_view text)
{
    const std::size_t comma = text.find(kDecimalSeparator);
    if (comma == std::string_view::npos)
        return 0;
    int count = 0;
    for (std::size_t i = comma + 1; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        ++count;
    return count;
}

// The level as the value beside it is shown: as many decimals as that value has,
// more when the level needs them.
std::string levelText(double level, std::string_view shownValue)
{
    const std::string general = formatGeneral(level);
    if (general.find('E') != std::string::npos)
        return general;
    const int decimals = std::min(std::max(decimalsOf(shownValue), decimalsOf(general)), kMostLevelDecimals);
    return formatFixed(level, decimals);
}

// A change cell without the "%" the service's text may still carry.
std::string_view withoutPercent(std::string_view text)
{
    text = trimControls(text);
    if (!text.empty() && text.back() == '%')
        text = trimControls(text.substr(0, text.size() - 1));
    return text;
}

} // namespace

bool PriceAlert::watchesAnything() const
{
    return std::any_of(rules.begin(), rules.end(), [](const AlertRule& r) { return r.level.has_value(); });
}

bool PriceAlert::anyFired() const
{
    return std::any_of(rules.begin(), rules.end(),
                       [](const AlertRule& r) { return r.level && r.state == AlertState::Fired; });
}

int changeColumnOf(ConnectionId id)
{
    const ColumnKinds columns = categoryOf(id).columns;
    for (std::size_t col = 0; col < columns.size(); ++col) {
        if (columns[col].title == "var.%")
            return static_cast<int>(col);
    }
    return -1;
}

std::vector<std::string> checkAlert(PriceAlert& alert, std::string_view priceText,
                                    std::string_view changeText)
{
    std::vector<std::string> fired;
    const std::string_view price = trimControls(priceText);
    if (price.empty())
        return fired;
    const std::optional<double> priceNumber = parseNumber(StripDots(price));
    const std::string_view change = withoutPercent(changeText);
    const std::optional<double> changeNumber = parseNumber(StripDots(change));

    for (const AlertCondition condition : kAlertConditions) {
        AlertRule& rule = alert.rule(condition);
        if (!rule.level)
            continue;
        const double level = *rule.level;
        std::optional<bool> holds;
        std::string text;
        switch (condition) {
        case AlertCondition::AtOrAbove:
            if (priceNumber) {
                holds = *priceNumber >= level;
                text = std::string(price) + " >= " + levelText(level, price);
            }
            break;
        case AlertCondition::AtOrBelow:
            if (priceNumber) {
                holds = *priceNumber <= level;
                text = std::string(price) + " <= " + levelText(level, price);
            }
            break;
        case AlertCondition::ChangeBeyond:
            if (changeNumber) {
                holds = std::fabs(*changeNumber) >= level;
                text = "var.% " + std::string(change) + (*changeNumber < 0 ? " <= -" : " >= +") +
                       levelText(level, change);
            }
            break;
        }
        if (!holds)
            continue;
        if (*holds && rule.state == AlertState::Armed) {
            rule.state = AlertState::Fired;
            fired.push_back(alert.code + ": " + text);
        } else if (!*holds && rule.state == AlertState::Fired) {
            rule.state = AlertState::Armed;
        }
    }
    return fired;
}

std::string conditionText(AlertCondition condition, double level)
{
    switch (condition) {
    case AlertCondition::AtOrAbove:
        return ">= " + formatGeneral(level);
    case AlertCondition::AtOrBelow:
        return "<= " + formatGeneral(level);
    case AlertCondition::ChangeBeyond:
        break;
    }
    return "var.% \xB1" + formatGeneral(level);
}

} // namespace listorix
