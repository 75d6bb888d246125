#include "base/NumberFormat.h"

#include "base/CaseFold.h"
#include "base/Digits.h"
#include "base/Trim.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace listorix {

namespace {

// Significant decimal digits each type holds reliably. A value typed with at most
// this many digits comes back as exactly those digits; digits beyond them are
// noise of the binary arithmetic and are rounded away before any formatting.
template <typename T>
constexpr int kSignificantDigits = std::numeric_limits<T>::digits10;

// Whether the number written in `plain` (the form std::from_chars reads: "-12.5e-7")
// lies below 1 in magnitude, judged on its digits and exponent alone, so that a
// value out of the type's range can be told to be too small rather than too large.
bool magnitudeBelowOne(std::string_view plain)
{
    const auto digitRun = [&plain](std::size_t& i) {
        const std::size_t start = i;
        while (i < plain.size() && isAsciiDigit(plain[i]))
            ++i;
        return plain.substr(start, i - start);
    };
    std::size_t i = plain.starts_with('-') ? 1 : 0;
    const std::string_view integer = digitRun(i);
    std::string_view fraction;
    if (i < plain.size() && plain[i] == '.')
        fraction = digitRun(++i);

    // The decimal exponent of the first digit that is not zero.
    long long leading = 0;
    if (const auto first = integer.find_first_not_of('0'); first != std::string_view::npos)
        leading = static_cast<long long>(integer.size() - first) - 1;
    else if (const auto firstFraction = fraction.find_first_not_of('0');
             firstFraction != std::string_view::npos)
        leading = -static_cast<long long>(firstFraction) - 1;
    else
        return true; // zero

    if (i < plain.size() && plain[i] == 'e') {
        ++i;
        const bool negative = i < plain.size() && plain[i] == '-';
        if (i < plain.size() && (plain[i] == '-' || plain[i] == '+'))
            ++i;
        long long exponent = 0;
        for (const char digit : digitRun(i))
            exponent = std::min(exponent * 10 + (digit - '0'), 1'000'000'000LL);
        leading += negative ? -exponent : exponent;
    }
    return leading < 0;
}

template <typename T>
std::optional<T> parseFloating(std::string_view text)
{
    text = trimControls(text);
    // Rewritten into the form std::from_chars reads, which ignores the C locale.
    std::string plain;
    plain.reserve(text.size());
    std::size_t i = 0;
    const auto at = [&text](std::size_t k) { return k < text.size() ? text[k] : '\0'; };

    if (at(i) == '+' || at(i) == '-') {
        if (at(i) == '-')
            plain += '-';
        ++i;
    }
    int integerDigits = 0;
    for (; isAsciiDigit(at(i)); ++i, ++integerDigits)
        plain += at(i);
    int fractionDigits = 0;
    if (at(i) == kDecimalSeparator) {
        ++i;
        // "1," and ",5" are numbers too; written out in full for from_chars.
        if (integerDigits == 0)
            plain += '0';
        if (isAsciiDigit(at(i)))
            plain += '.';
        for (; isAsciiDigit(at(i)); ++i, ++fractionDigits)
            plain += at(i);
    }
    if (integerDigits + fractionDigits == 0)
        return std::nullopt;
    if (at(i) == 'e' || at(i) == 'E') {
        plain += 'e';
        ++i;
        if (at(i) == '+' || at(i) == '-')
            plain += text[i++];
        int exponentDigits = 0;
        for (; isAsciiDigit(at(i)); ++i, ++exponentDigits)
            plain += at(i);
        if (exponentDigits == 0)
            return std::nullopt;
    }
    if (i != text.size())
        return std::nullopt;

    T value{};
    const char* end = plain.data() + plain.size();
    const auto [ptr, ec] = std::from_chars(plain.data(), end, value);
    // Below the smallest value the type holds is as good as zero (as the quote
    // service's tiny numbers are shown); beyond the largest is no number.
    if (ec == std::errc::result_out_of_range && ptr == end && magnitudeBelowOne(plain))
        return T{0};
    if (ec != std::errc() || ptr != end || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// A finite value as decimal digits: value = 0.d1d2...dn × 10^pointPos. The digits
// carry no leading or trailing zeros; no digits at all is zero.
struct Decimal
{
    bool negative = false;
    std::string digits;
    int pointPos = 0;

    bool isZero() const { return digits.empty(); }
    char digitAt(int index) const
    {
        return index >= 0 && index < static_cast<int>(digits.size()) ? digits[static_cast<std::size_t>(index)]
                                                                     : '0';
    }

    void stripTrailingZeros()
    {
        while (!digits.empty() && digits.back() == '0')
            digits.pop_back();
    }

    // Keeps the first `keep` digits, rounding the dropped part half away from zero.
    void roundToDigits(int keep)
    {
        if (keep >= static_cast<int>(digits.size()))
            return;
        const bool up = keep >= 0 && digits[static_cast<std::size_t>(keep)] >= '5';
        digits.resize(static_cast<std::size_t>(keep < 0 ? 0 : keep));
        if (up) {
            int k = keep - 1;
            for (; k >= 0 && digits[static_cast<std::size_t>(k)] == '9'; --k)
                digits[static_cast<std::size_t>(k)] = '0';
            if (k >= 0) {
                ++digits[static_cast<std::size_t>(k)];
            } else {
                digits.insert(digits.begin(), '1');
                ++pointPos;
            }
        }
        stripTrailingZeros();
    }

    void roundToDecimals(int decimals) { roundToDigits(pointPos + decimals); }

    std::string integerPart() const
    {
        if (pointPos <= 0)
            return "0";
        std::string out;
        for (int k = 0; k < pointPos; ++k)
            out += digitAt(k);
        return out;
    }

    std::string fractionPart(int decimals) const
    {
        std::string out;
        for (int k = 0; k < decimals; ++k)
            out += digitAt(pointPos + k);
        return out;
    }
};

// `digits` significant digits at most; the type's reliable digits by default.
template <typename T>
Decimal toDecimal(T value, int digits = kSignificantDigits<T>)
{
    Decimal d;
    // The shortest text that reads back as this value; scientific so that the
    // digits and the exponent come apart easily: "-1.2345e+03".
    char buffer[64];
    const auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
    if (ec != std::errc())
        return d;
    const std::string_view text(buffer, static_cast<std::size_t>(end - buffer));
    std::size_t i = 0;
    if (text[i] == '-') {
        d.negative = true;
        ++i;
    }
    for (; i < text.size() && text[i] != 'e'; ++i) {
        if (isAsciiDigit(text[i]))
            d.digits += text[i];
    }
    int exponent = 0;
    if (i < text.size()) {
        const char* first = text.data() + i + 1;
        if (*first == '+')
            ++first;
        std::from_chars(first, text.data() + text.size(), exponent);
    }
    d.pointPos = exponent + 1;
    // Leading zeros appear only for zero itself.
    while (!d.digits.empty() && d.digits.front() == '0') {
        d.digits.erase(d.digits.begin());
        --d.pointPos;
    }
    d.stripTrailingZeros();
    d.roundToDigits(digits);
    return d;
}

std::string groupThousands(const std::string& integerDigits)
{
    std::string out;
    const std::size_t n = integerDigits.size();
    for (std::size_t k = 0; k < n; ++k) {
        if (k > 0 && (n - k) % 3 == 0)
            out += kThousandsSeparator;
        out += integerDigits[k];
    }
    return out;
}

template <typename T>
std::string formatDecimals(T value, int decimals, bool grouped, int width)
{
    if (!std::isfinite(value) || decimals < 0 || decimals > kMaxDecimals || width > 1024)
        return {};
    Decimal d = toDecimal(value);
    d.roundToDecimals(decimals);
    std::string out;
    // A value that rounds to zero shows no sign: "-0,00" would read as a loss.
    if (d.negative && !d.isZero())
        out += '-';
    out += grouped ? groupThousands(d.integerPart()) : d.integerPart();
    if (decimals > 0) {
        out += kDecimalSeparator;
        out += d.fractionPart(decimals);
    }
    if (static_cast<int>(out.size()) < width)
        out.insert(0, static_cast<std::size_t>(width) - out.size(), ' ');
    return out;
}

// Reads one to `maxDigits` digits at the front of `text` and removes them.
std::optional<int> takeNumber(std::string_view& text, std::size_t maxDigits)
{
    std::size_t n = 0;
    while (n < text.size() && isAsciiDigit(text[n]))
        ++n;
    const auto value = parseDigits(text.substr(0, n), maxDigits);
    if (!value)
        return std::nullopt;
    text.remove_prefix(n);
    return static_cast<int>(*value);
}

bool takeChar(std::string_view& text, char c)
{
    if (text.empty() || text.front() != c)
        return false;
    text.remove_prefix(1);
    return true;
}

} // namespace

std::optional<double> parseNumber(std::string_view text)
{
    return parseFloating<double>(text);
}

std::optional<long double> parseExtended(std::string_view text)
{
    return parseFloating<long double>(text);
}

std::string formatFixed(double value, int decimals)
{
    return formatDecimals(value, decimals, false, 0);
}

std::string formatFixed(long double value, int decimals)
{
    return formatDecimals(value, decimals, false, 0);
}

std::optional<double> roundToDecimals(long double value, int decimals)
{
    if (!std::isfinite(value) || decimals < 0 || decimals > kMaxDecimals)
        return std::nullopt;
    Decimal d = toDecimal(value);
    d.roundToDecimals(decimals);
    if (d.isZero())
        return 0.0;
    // 0.d1d2...dn × 10^pointPos, read back exactly as from_chars reads a text.
    const std::string text = (d.negative ? "-0." : "0.") + d.digits + 'e' + std::to_string(d.pointPos);
    double result = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), result);
    if (ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return result;
}

std::string formatNumber(double value, int decimals, int width)
{
    return formatDecimals(value, decimals, true, width);
}

std::string formatNumber(long double value, int decimals, int width)
{
    return formatDecimals(value, decimals, true, width);
}

namespace {

std::string generalText(const Decimal& d)
{
    if (d.isZero())
        return "0";
    std::string out = d.negative ? "-" : "";
    if (d.pointPos > kSignificantDigits<double> || d.pointPos < -3) {
        out += d.digits.front();
        if (d.digits.size() > 1) {
            out += kDecimalSeparator;
            out += d.digits.substr(1);
        }
        out += 'E';
        out += std::to_string(d.pointPos - 1);
        return out;
    }
    out += d.integerPart();
    const int decimals = static_cast<int>(d.digits.size()) - d.pointPos;
    if (decimals > 0) {
        out += kDecimalSeparator;
        out += d.fractionPart(decimals);
    }
    return out;
}

} // namespace

std::string formatGeneral(double value)
{
    if (!std::isfinite(value))
        return {};
    std::string text = generalText(toDecimal(value));
    // Near the ends of the range 15 digits may round past the largest double
    // (1,79769313486232E308) or to nothing: the full 17 read back as the value.
    const std::optional<double> back = parseNumber(text);
    if (!back || (*back == 0) != (value == 0))
        text = generalText(toDecimal(value, std::numeric_limits<double>::max_digits10));
    return text;
}

std::optional<Date> parseDate(std::string_view text)
{
    text = trimControls(text);
    const auto day = takeNumber(text, 2);
    if (!day || !takeChar(text, kDateSeparator))
        return std::nullopt;
    const auto month = takeNumber(text, 2);
    if (!month || !takeChar(text, kDateSeparator))
        return std::nullopt;
    if (text.size() != 4)
        return std::nullopt;
    const auto year = takeNumber(text, 4);
    if (!year || !text.empty())
        return std::nullopt;
    return Date::fromYmd(*year, *month, *day);
}

std::string formatShortDate(Date date)
{
    if (date.isNull())
        return {};
    std::string out = twoDigits(date.day()) + kDateSeparator + twoDigits(date.month()) + kDateSeparator;
    out += twoDigits(date.year() / 100);
    out += twoDigits(date.year() % 100);
    return out;
}

std::optional<TimeOfDay> parseTime(std::string_view text)
{
    text = trimControls(text);
    auto hour = takeNumber(text, 2);
    if (!hour || !takeChar(text, kTimeSeparator))
        return std::nullopt;
    const auto minute = takeNumber(text, 2);
    if (!minute)
        return std::nullopt;
    std::optional<int> second = 0;
    if (takeChar(text, kTimeSeparator)) {
        second = takeNumber(text, 2);
        if (!second)
            return std::nullopt;
    }
    if (!text.empty()) {
        takeChar(text, ' ');
        const bool am = equalsIgnoringAsciiCase(text, "am");
        const bool pm = equalsIgnoringAsciiCase(text, "pm");
        if ((!am && !pm) || *hour < 1 || *hour > 12)
            return std::nullopt;
        *hour = *hour % 12 + (pm ? 12 : 0);
    }
    return TimeOfDay::fromHms(*hour, *minute, *second);
}

std::string formatLongTime(TimeOfDay time)
{
    return std::to_string(time.hour()) + kTimeSeparator + twoDigits(time.minute()) + kTimeSeparator +
           twoDigits(time.second());
}

std::string formatShortTime(TimeOfDay time)
{
    return std::to_string(time.hour()) + kTimeSeparator + twoDigits(time.minute());
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
    std::string out(text);
    std::replace(out.begin(), out.end(), '.', ':');
    return out;
}

} // namespace listorix
