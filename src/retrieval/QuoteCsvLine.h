#pragma once

#include "retrieval/QuoteRequest.h"
#include "retrieval/WebQuote.h"

#include <string>
#include <string_view>
#include <vector>

namespace listorix {

inline constexpr std::string_view kNotAvailable = "N/A";

// One answer line in the quote service's CSV form, fields in the order asked and
// separated by ";", without a line end: the symbol and the name in double quotes
// (the name is the symbol when the quote names none), prices with a decimal point,
// the date as month/day/year and the time as h:mm in Italian time, the change as
// "+0.10" and with its percentage as "+0.10 - +0.85%", the volume whole, and "N/A"
// for every value the quote lacks. Prices keep the decimals the quote states, else
// as many as they need between 2 and 4. Without a quote every field but the symbol
// and the name is "N/A".
std::string quoteCsvLine(std::string_view symbol, const WebQuote* quote,
                         const std::vector<QuoteField>& fields);

} // namespace listorix
