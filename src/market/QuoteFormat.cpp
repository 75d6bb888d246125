#include "market/QuoteFormat.h"

#include "base/Digits.h"
#include "base/NumberFormat.h"
#include "base/Trim.h"

#include <cstdlib>
#include <langinfo.h>
#include <locale.h>
#include <optional>
#include <utility>

namespace listorix {

namespace {

// The service writes a decimal point: only the first one is taken for the
// decimal comma, so a text with two points still fails to convert.
std::string firstPointToComma(std::string_view text)
{
    std::string out(text);
    if (const auto pos = out.find('.'); pos != std::string::npos)
        out[pos] = kDecimalSeparator;
    return out;
}

std::string replaceAll(std::string_view text, char from, char to)
{
    std::string out(text);
    for (char& c : out) {
        if (c == from)
            c = to;
    }
    return out;
}

std::optional<int> parseDecimalsCount(std::string_view text)
{
    const auto value = parseDigits(text, 2);
    if (!value || *value > static_cast<unsigned>(kMaxDecimals))
        return std::nullopt;
    return static_cast<int>(*value);
}

// change × 100 ÷ reference in extended precision; nothing when either does not
// convert or the reference is zero.
std::optional<long double> changePercent(std::string_view change, std::string_view reference)
{
    const auto c = parseExtended(firstPointToComma(change));
    const auto r = parseExtended(firstPointToComma(reference));
    if (!c || !r || *r == 0)
        return std::nullopt;
    return *c * 100 / *r;
}

} // namespace

std::string FormatQuote(std::string_view text, std::string_view decimals)
{
    const auto value = parseExtended(firstPointToComma(trimControls(text)));
    const auto count = parseDecimalsCount(decimals);
    if (!value || !count)
        return {};
    return formatNumber(*value, *count);
}

std::string FormatChangePercent(std::string_view change, std::string_view reference)
{
    const auto percent = changePercent(change, reference);
    if (!percent)
        return {};
    const std::string text = formatFixed(*percent, 2);
    if (text.empty())
        return {};
    return *percent > 0 ? "+" + SignToFront(text) : SignToFront(text);
}

std::optional<double> ChangePercentValue(std::string_view change, std::string_view reference)
{
    const auto percent = changePercent(change, reference);
    if (!percent)
        return std::nullopt;
    return roundToDecimals(*percent, 2);
}

std::string SignToFront(std::string_view text)
{
    std::string out = replaceAll(trimControls(text), '.', kDecimalSeparator);
    if (!out.empty() && (out.back() == '+' || out.back() == '-')) {
        const char sign = out.back();
        out.pop_back();
        out.insert(out.begin(), sign);
    }
    return out;
}

TColor ColourBySign(std::string_view text)
{
    return !text.empty() && text.front() == '-' ? clRed : clBlue;
}

char LocaleDecimalSeparator(const std::string& localeName)
{
    constexpr char kFallback = ',';
    // An empty name would make newlocale consult the environment itself.
    if (localeName.empty())
        return kFallback;
    const locale_t locale = newlocale(LC_NUMERIC_MASK, localeName.c_str(), locale_t{});
    if (locale == locale_t{})
        return kFallback;
    const char* radix = nl_langinfo_l(RADIXCHAR, locale);
    const std::string separator = radix != nullptr ? radix : "";
    freelocale(locale);
    // A separator of several bytes (some UTF-8 locales) cannot be one character.
    if (separator.size() != 1 || static_cast<unsigned char>(separator[0]) >= 0x80)
        return kFallback;
    return separator[0];
}

char LocaleDecimalSeparator()
{
    return LocaleDecimalSeparator(
        numericLocaleName(std::getenv("LC_ALL"), std::getenv("LC_NUMERIC"), std::getenv("LANG")));
}

std::string numericLocaleName(const char* lcAll, const char* lcNumeric, const char* lang)
{
    for (const char* name : {lcAll, lcNumeric, lang}) {
        if (name != nullptr && *name != '\0')
            return name;
    }
    return "C";
}

} // namespace listorix
