#pragma once

#include "websource/QuoteRequest.h"
#include "websource/WebQuote.h"

#include <string>
#include <string_view>
#include <vector>

namespace listorix {

inline constexpr std::string_view kNotAvailable = "N/A";

// One answer line in the quote service's CSV form, fields in the order asked and
// separated by ";", without a line end: the symbol and the name in double quotes
// (the name is the symbol when the quote names none, followed by " (USD)" and the
// like when the quote is not in euro), prices with a decimal point, the date as
// month/day/year and the time as h:mm in Italian time (a quote stamped with a
// trading day has that day as its date and an empty time), the change as "+0.10"
// and with its percentage as "+0.10 - +0.85%", the volume whole, and "N/A" for
// every value the quote lacks. Prices keep the decimals they have, between 2 and 4
// (at least the quote's hint); float noise is no decimal. Without a quote every
// field but the symbol and the name is "N/A".
std::string quoteCsvLine(std::string_view symbol, const WebQuote* quote,
                         const std::vector<QuoteField>& fields);

// The line of a symbol that has no data by design (an index without a successor):
// as a line without a quote, but with an empty time, the one field the index panel
// shows as sent, so that its row shows nothing at all. (Empty fields elsewhere
// would not do: a trailing empty field is no field to the parsers.)
std::string emptyCsvLine(std::string_view symbol, const std::vector<QuoteField>& fields);

} // namespace listorix
