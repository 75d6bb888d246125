#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace listorix {

// One security's quote as the web source gave it. A value the answer left out or
// sent as null is absent, never 0.
struct WebQuote
{
    std::string name; // Windows-1252; empty when the answer names none
    std::optional<double> last;
    std::optional<std::int64_t> time; // of the last price, seconds since the Unix epoch
    std::optional<double> open;
    std::optional<double> high;
    std::optional<double> low;
    std::optional<double> previousClose;
    std::optional<double> volume;
    std::optional<int> decimals; // of the prices, when the answer says

    bool operator==(const WebQuote&) const = default;
};

} // namespace listorix
