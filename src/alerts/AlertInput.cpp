#include "alerts/AlertInput.h"

#include "alerts/AlertTarget.h"
#include "base/NumberFormat.h"
#include "base/Trim.h"

#include <algorithm>
#include <cstddef>

namespace listorix {

namespace {

std::string filled(std::string_view pattern, std::string_view caption, std::string_view value = {})
{
    std::string text(pattern);
    for (const auto& [mark, with] :
         {std::pair{std::string_view("%s"), caption}, std::pair{std::string_view("%v"), value}}) {
        if (const std::size_t at = text.find(mark); at != std::string::npos)
            text.replace(at, mark.size(), with);
    }
    return text;
}

std::string_view captionOf(AlertCondition condition)
{
    return kAlertFieldCaptions[static_cast<std::size_t>(condition)];
}

// A number as a person types it: with a comma, points group thousands; without
// one, a single point is the decimal point and several group thousands.
std::optional<double> typedNumber(std::string text)
{
    if (text.find(kDecimalSeparator) != std::string::npos || std::count(text.begin(), text.end(), '.') > 1)
        text = StripDots(text);
    else
        std::replace(text.begin(), text.end(), '.', kDecimalSeparator);
    return parseNumber(text);
}

} // namespace

AlertFields fieldsOf(const PriceAlert* alert)
{
    AlertFields fields;
    if (alert == nullptr)
        return fields;
    for (const AlertCondition condition : kAlertConditions) {
        if (const std::optional<double> level = alert->rule(condition).level)
            fields[static_cast<std::size_t>(condition)] = formatGeneral(*level);
    }
    return fields;
}

AlertInput readAlertInput(const AlertTarget& target, const AlertFields& fields)
{
    PriceAlert alert;
    alert.category = target.category;
    alert.code = target.code;
    alert.name = target.name;
    for (const AlertCondition condition : kAlertConditions) {
        std::string_view text = trimControls(fields[static_cast<std::size_t>(condition)]);
        const std::string typed(text);
        if (condition == AlertCondition::ChangeBeyond && !text.empty() && text.back() == '%')
            text = trimControls(text.substr(0, text.size() - 1));
        if (text.empty())
            continue;
        alert.rule(condition).level = typedNumber(std::string(text));
        if (!alert.rule(condition).level)
            return {std::nullopt, filled(kNotANumberText, captionOf(condition), typed)};
    }
    std::string problem = alertProblem(alert);
    if (!problem.empty())
        return {std::nullopt, std::move(problem)};
    return {std::move(alert), {}};
}

std::string alertProblem(const PriceAlert& alert)
{
    if (!quoteIndexOf(alert.category))
        return std::string(kNoSecurityRowText);
    if (!alert.watchesAnything())
        return std::string(kNoConditionText);
    const std::optional<double> above = alert.rule(AlertCondition::AtOrAbove).level;
    const std::optional<double> below = alert.rule(AlertCondition::AtOrBelow).level;
    const std::optional<double> change = alert.rule(AlertCondition::ChangeBeyond).level;
    for (const auto& [condition, level] :
         {std::pair{AlertCondition::AtOrAbove, above}, std::pair{AlertCondition::AtOrBelow, below}}) {
        if (level && !(*level > 0))
            return filled(kPriceNotAboveZeroText, captionOf(condition));
    }
    if (above && below && !(*above > *below))
        return std::string(kBandUpsideDownText);
    if (change && changeColumnOf(alert.category) < 0)
        return std::string(kFundsHaveNoChangeText);
    if (change && !(*change > 0))
        return std::string(kChangeNotAboveZeroText);
    return {};
}

} // namespace listorix
