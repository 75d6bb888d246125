#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace listorix::quoted {

// The field codes of the "f" key that the service answers.
enum class Field
{
    Symbol,           // s
    Name,             // n
    LastPrice,        // l1
    LastDate,         // d1
    LastTime,         // t1
    Change,           // c1
    ChangeAndPercent, // c2
    Open,             // o
    Low,              // g
    High,             // h
    PreviousClose,    // p
    Volume            // v
};

// Splits a field list such as "snl1d1t1oghpc2v" into its codes: a letter, and the digit
// after it where there is one. On a code the service does not know, nothing, with that
// code in unknownCode.
std::optional<std::vector<Field>> parseFieldCodes(std::string_view codes, std::string& unknownCode);

} // namespace listorix::quoted
