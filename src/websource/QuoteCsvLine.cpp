#include "websource/QuoteCsvLine.h"

#include "base/ItalianTime.h"
#include "base/NumberFormat.h"

#include <algorithm>
#include <cmath>

namespace listorix {

namespace {

// Prices are shown with 2 to 4 decimals, as the quote service's CSV answers wrote
// them: a value keeps the decimals it has, up to 4.
constexpr int kMinDecimals = 2;
constexpr int kMaxDecimals = 4;
// The chart endpoint's series are single-precision numbers widened to double
// (11.687999725341797 for 11.688): a value within a single-precision step of a
// shorter decimal is that decimal.
constexpr double kSinglePrecisionStep = 1.0 / (1 << 23);

// A text field inside double quotes: the characters that would end the field or
// the line are replaced.
std::string quotedText(std::string_view text)
{
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"')
            out += '\'';
        else if (c == ';')
            out += ',';
        else if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            out += ' ';
        else
            out += c;
    }
    out += '"';
    return out;
}

// The decimals a price needs so that rounding to them loses nothing visible.
int decimalsNeeded(double value)
{
    for (int d = kMinDecimals; d < kMaxDecimals; ++d) {
        const double scaled = value * std::pow(10.0, d);
        if (std::fabs(scaled - std::round(scaled)) <= kSinglePrecisionStep * std::max(1.0, std::fabs(scaled)))
            return d;
    }
    return kMaxDecimals;
}

// The value as the decimal it stands for, noise taken off.
double withoutNoise(double value)
{
    return roundToDecimals(static_cast<long double>(value), decimalsNeeded(value)).value_or(value);
}

// The decimals the longest price needs; the answer's hint may ask for more, never
// for fewer.
int priceDecimals(const WebQuote& quote)
{
    int decimals = kMinDecimals;
    if (quote.decimals)
        decimals = std::clamp(*quote.decimals, kMinDecimals, kMaxDecimals);
    for (const auto& value : {quote.last, quote.open, quote.high, quote.low, quote.previousClose}) {
        if (value)
            decimals = std::max(decimals, decimalsNeeded(*value));
    }
    return decimals;
}

// With a decimal point; empty for a value that is not finite.
std::string pointFixed(double value, int decimals)
{
    std::string text = formatFixed(value, decimals);
    std::replace(text.begin(), text.end(), kDecimalSeparator, '.');
    return text;
}

std::string signedFixed(double value, int decimals)
{
    std::string text = pointFixed(value, decimals);
    if (!text.empty() && text.front() != '-')
        text.insert(text.begin(), '+');
    return text;
}

std::string orNotAvailable(std::string text)
{
    return text.empty() ? std::string(kNotAvailable) : text;
}

std::string price(const std::optional<double>& value, int decimals)
{
    return value ? orNotAvailable(pointFixed(*value, decimals)) : std::string(kNotAvailable);
}

// The change in whole price steps, so that it matches the prices as shown.
std::optional<double> change(const WebQuote& quote, int decimals)
{
    if (!quote.last || !quote.previousClose || !std::isfinite(*quote.last) ||
        !std::isfinite(*quote.previousClose))
        return std::nullopt;
    const double scale = std::pow(10.0, decimals);
    return (std::round(*quote.last * scale) - std::round(*quote.previousClose * scale)) / scale;
}

// A trading day is its UTC calendar day, whatever the time zone; a trade time is
// Italian time.
std::string dateText(std::int64_t time, bool isDay)
{
    int year = 0;
    int month = 0;
    int day = 0;
    if (isDay) {
        civilFromDays(time >= 0 ? time / 86400 : -((-time + 86399) / 86400), year, month, day);
    } else {
        const ItalianDateTime t = italianTimeFromEpoch(time);
        year = t.year;
        month = t.month;
        day = t.day;
    }
    return std::to_string(month) + '/' + std::to_string(day) + '/' + std::to_string(year);
}

// Empty for a trading day: the quote has no time of day.
std::string timeText(std::int64_t time, bool isDay)
{
    if (isDay)
        return {};
    const ItalianDateTime t = italianTimeFromEpoch(time);
    return std::to_string(t.hour) + (t.minute < 10 ? ":0" : ":") + std::to_string(t.minute);
}

// The name, else the symbol; with its currency when that is not the euro, which
// the tables and the portfolio count in.
std::string shownName(std::string_view symbol, const WebQuote& quote)
{
    std::string name(quote.name.empty() ? symbol : std::string_view(quote.name));
    if (!quote.currency.empty() && quote.currency != "EUR")
        name += " (" + quote.currency + ')';
    return name;
}

std::string field(QuoteField which, std::string_view symbol, const WebQuote& quote, int decimals)
{
    switch (which) {
    case QuoteField::Symbol:
        return quotedText(symbol);
    case QuoteField::Name:
        return quotedText(shownName(symbol, quote));
    case QuoteField::LastPrice:
        return price(quote.last, decimals);
    case QuoteField::LastDate:
        return quote.time ? dateText(*quote.time, quote.timeIsDay) : std::string(kNotAvailable);
    case QuoteField::LastTime:
        return quote.time ? timeText(*quote.time, quote.timeIsDay) : std::string(kNotAvailable);
    case QuoteField::Change: {
        const auto value = change(quote, decimals);
        return value ? orNotAvailable(signedFixed(*value, decimals)) : std::string(kNotAvailable);
    }
    case QuoteField::ChangeAndPercent: {
        const auto value = change(quote, decimals);
        if (!value || *quote.previousClose == 0.0)
            return std::string(kNotAvailable);
        const std::string absolute = signedFixed(*value, decimals);
        const std::string percent = signedFixed(*value / *quote.previousClose * 100.0, 2);
        if (absolute.empty() || percent.empty())
            return std::string(kNotAvailable);
        return absolute + " - " + percent + '%';
    }
    case QuoteField::Open:
        return price(quote.open, decimals);
    case QuoteField::Low:
        return price(quote.low, decimals);
    case QuoteField::High:
        return price(quote.high, decimals);
    case QuoteField::PreviousClose:
        return price(quote.previousClose, decimals);
    case QuoteField::Volume:
        return quote.volume ? orNotAvailable(pointFixed(*quote.volume, 0)) : std::string(kNotAvailable);
    case QuoteField::Unknown:
        break;
    }
    return std::string(kNotAvailable);
}

} // namespace

std::string quoteCsvLine(std::string_view symbol, const WebQuote* quote,
                         const std::vector<QuoteField>& fields)
{
    WebQuote values = quote ? *quote : WebQuote{};
    for (std::optional<double>* price :
         {&values.last, &values.open, &values.high, &values.low, &values.previousClose}) {
        if (*price)
            *price = withoutNoise(**price);
    }
    const int decimals = priceDecimals(values);
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            line += ';';
        line += field(fields[i], symbol, values, decimals);
    }
    return line;
}

std::string emptyCsvLine(std::string_view symbol, const std::vector<QuoteField>& fields)
{
    static const WebQuote kNoQuote;
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            line += ';';
        if (fields[i] != QuoteField::LastTime)
            line += field(fields[i], symbol, kNoQuote, kMinDecimals);
    }
    return line;
}

} // namespace listorix
