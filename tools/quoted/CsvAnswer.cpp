#include "quoted/CsvAnswer.h"

#include "quoted/Market.h"
#include "quoted/TextFormat.h"

#include <cmath>

namespace listorix::quoted {

namespace {

constexpr std::string_view kNotAvailable = "N/A";

// A symbol is echoed as sent; bytes that would break the line or the quoting become "_".
std::string quotedEcho(std::string_view symbol)
{
    std::string out = "\"";
    for (char c : symbol) {
        const auto u = static_cast<unsigned char>(c);
        out += (u < 0x20 || u == 0x7f || c == '"' || c == ';') ? '_' : c;
    }
    out += '"';
    return out;
}

std::string field(Field which, std::string_view symbol, const Security& security, const Quote& quote)
{
    const int decimals = quote.decimals;
    switch (which) {
    case Field::Symbol:
        return quotedEcho(symbol);
    case Field::Name:
        return '"' + security.name + '"';
    case Field::LastPrice:
        return text::fixed(quote.last, decimals);
    case Field::LastDate:
        return text::usDate(quote.date);
    default:
        break;
    }
    if (!quote.sessionDetail)
        return std::string(kNotAvailable);

    // Changes are counted in whole price ticks so that they match the prices exactly.
    const double scale = std::pow(10.0, decimals);
    const double change =
        static_cast<double>(std::llround(quote.last * scale) - std::llround(quote.previousClose * scale)) /
        scale;
    switch (which) {
    case Field::LastTime:
        return text::clockTime(quote.minuteOfDay);
    case Field::Change:
        return text::signedFixed(change, decimals);
    case Field::ChangeAndPercent:
        return text::signedFixed(change, decimals) + " - " +
               text::signedFixed(change / quote.previousClose * 100.0, 2) + '%';
    case Field::Open:
        return text::fixed(quote.open, decimals);
    case Field::Low:
        return text::fixed(quote.low, decimals);
    case Field::High:
        return text::fixed(quote.high, decimals);
    case Field::PreviousClose:
        return text::fixed(quote.previousClose, decimals);
    case Field::Volume:
        return std::to_string(quote.volume);
    default:
        return std::string(kNotAvailable);
    }
}

} // namespace

std::string buildCsvAnswer(const Market& market, const LocalDateTime& now,
                           const std::vector<std::string>& symbols, const std::vector<Field>& fields)
{
    std::string body;
    body.reserve(symbols.size() * 96);
    for (const std::string& symbol : symbols) {
        const Security* security = market.find(symbol);
        const Quote quote = security ? market.quote(*security, now) : Quote{};
        for (std::size_t i = 0; i < fields.size(); ++i) {
            if (i > 0)
                body += ';';
            if (security)
                body += field(fields[i], symbol, *security, quote);
            else if (fields[i] == Field::Symbol || fields[i] == Field::Name)
                body += quotedEcho(symbol);
            else
                body += kNotAvailable;
        }
        body += "\r\n";
    }
    return body;
}

} // namespace listorix::quoted
