#include "base/Money.h"

#include "base/Digits.h"
#include "base/NumberFormat.h"
#include "base/Trim.h"

#include <optional>
#include <utility>

namespace listorix {

namespace {

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
        if (isAsciiDigit(c)) {
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

    constexpr unsigned kLireCents = 193627; // lire per euro × 100
    unsigned __int128 unit = 1;
    for (int k = 0; k < decimals + 2; ++k)
        unit *= 10;
    const unsigned __int128 scaled = number * kLireCents;
    const unsigned __int128 whole = scaled / unit;
    const unsigned __int128 twiceRest = scaled % unit * 2;
    const unsigned __int128 fromHalf = twiceRest > unit ? twiceRest - unit : unit - twiceRest;
    if (whole >= 100'000'000'000u || fromHalf * 1'000'000u <= unit * 2)
        return std::nullopt;
    const auto lire = static_cast<double>(whole + (twiceRest > unit ? 1 : 0));
    return "L." + formatNumber(negative ? -lire : lire, 0);
}

} // namespace

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

} // namespace listorix
