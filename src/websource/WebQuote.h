#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace listorix {

// One security's quote as the web source gave it. A value the answer left out or
// sent as null is absent, never 0.
struct WebQuote
{
    std::string name;     // Windows-1252, trimmed; empty when the answer names none
    std::string currency; // as the answer names it ("EUR", "USD"); empty when it names none
    std::optional<double> last;
    std::optional<std::int64_t> time; // of the last price, seconds since the Unix epoch
    // `time` stamps a trading day, not a trade (the exchange's daily rows lie at
    // 00:00 UTC of their day): its UTC calendar day is the date, and the quote has
    // no time of day.
    bool timeIsDay = false;
    std::optional<double> open;
    std::optional<double> high;
    std::optional<double> low;
    std::optional<double> previousClose;
    std::optional<double> volume;
    // The answer's display hint (the chart endpoint's priceHint): prices are shown
    // with at least that many decimals, never rounded to it.
    std::optional<int> decimals;

    bool operator==(const WebQuote&) const = default;
};

} // namespace listorix
