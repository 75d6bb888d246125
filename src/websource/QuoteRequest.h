#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace listorix {

// The field codes of a quote request's "f" key, in the forms of the quote
// service's CSV answers.
enum class QuoteField
{
    Symbol,           // s: the symbol, in double quotes
    Name,             // n: the name, in double quotes
    LastPrice,        // l1
    LastDate,         // d1: month/day/year, Italian time
    LastTime,         // t1: h:mm, Italian time
    Change,           // c1: signed, "+150.50"
    ChangeAndPercent, // c2: "+0.10 - +0.85%"
    Open,             // o
    Low,              // g
    High,             // h
    PreviousClose,    // p
    Volume,           // v
    Unknown,          // any other code: always "N/A"
};

// What a quote request asks for: its symbols in order and its fields in order.
struct QuoteRequest
{
    std::vector<std::string> symbols;
    std::vector<QuoteField> fields;

    bool operator==(const QuoteRequest&) const = default;
};

// Reads the query of a request URL as the catalogue builds it: "s" holds the
// symbols joined by "+" (taken as they are; empty ones, from blank ticker lines,
// are left out) and "f" the field codes (one letter, or a letter and a digit).
// Without "f" the fields are "sl1d1t1c1ohgv", as the service answers then.
// Nothing when the URL has no "s" key.
std::optional<QuoteRequest> parseQuoteRequest(std::string_view url);

std::vector<QuoteField> parseFieldCodes(std::string_view codes);

} // namespace listorix
