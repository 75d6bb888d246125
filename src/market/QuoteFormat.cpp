#include "market/QuoteFormat.h"

#include "base/Trim.h"
#include "base/NumberFormat.h"

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

// The lire amount of a plain display number (sign, digits, one decimal comma),
// worked out exactly in integers: lire × 10^(decimals + 2) = digits × 193627. The
// general path multiplies in extended precision and judges the product on 18
// significant digits, an error below 5.3e-18 of the amount, so below 1e11 lire its
// rounding can only differ from the exact one within 1e-6 of a half lira. Such
// amounts, larger ones and every other form of number are left to it (none).
std::optional<std::string> exactLire(std::string_view text)
{
    text = trimControls(text);
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    unsigned __int128 number = 0;
    int digits = 0;
    int decimals = 0;
    bool comma = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            if (++digits > 19)
                return std::nullopt;
            number = number * 10 + static_cast<unsigned>(c - '0');
            decimals += comma ? 1 : 0;
        } else if (c == kDecimalSeparator && !comma) {
            comma = true;
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0)
        return std::nullopt;

    constexpr unsigned lireCents = 193627; // lire per euro × 100
    unsigned __int128 unit = 1;
    for (int k = 0; k < decimals + 2; ++k)
        unit *= 10;
    const unsigned __int128 scaled = number * lireCents;
    const unsigned __int128 whole = scaled / unit;
    const unsigned __int128 twiceRest = scaled % unit * 2;
    const unsigned __int128 fromHalf = twiceRest > unit ? twiceRest - unit : unit - twiceRest;
    if (whole >= 100'000'000'000u || fromHalf * 1'000'000u <= unit * 2)
        return std::nullopt;
    const auto lire = static_cast<double>(whole + (twiceRest > unit ? 1 : 0));
    return "L." + formatNumber(negative ? -lire : lire, 0);
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

std::string FormatLire(std::string_view euroText)
{
    const std::string plain = StripDots(euroText);
    if (auto exact = exactLire(plain))
        return *std::move(exact);
    const auto euro = parseExtended(plain);
    if (!euro)
        return {};
    const std::string amount = formatNumber(*euro * kLirePerEuro, 0);
    return amount.empty() ? std::string() : "L." + amount;
}

std::string StripDots(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        if (c != '.')
            out += c;
    }
    return out;
}

std::string DotsToColons(std::string_view text)
{
    return replaceAll(text, '.', ':');
}

char LocaleDecimalSeparator(const std::string& localeName)
{
    constexpr char fallback = ',';
    // An empty name would make newlocale consult the environment itself.
    if (localeName.empty())
        return fallback;
    const locale_t locale = newlocale(LC_NUMERIC_MASK, localeName.c_str(), locale_t{});
    if (locale == locale_t{})
        return fallback;
    const char* radix = nl_langinfo_l(RADIXCHAR, locale);
    const std::string separator = radix != nullptr ? radix : "";
    freelocale(locale);
    // A separator of several bytes (some UTF-8 locales) cannot be one character.
    if (separator.size() != 1 || static_cast<unsigned char>(separator[0]) >= 0x80)
        return fallback;
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
