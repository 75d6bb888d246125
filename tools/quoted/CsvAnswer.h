#pragma once

#include "quoted/CivilTime.h"
#include "quoted/QuoteFields.h"

#include <string>
#include <vector>

namespace listorix::quoted {

class Market;

// The body of a quotes answer: one line per symbol in request order, ended by CR LF,
// with the asked fields in the asked order separated by ";". Symbol and name are in
// double quotes; a symbol the market does not know gets its own text as its name and
// "N/A" for every other field, and so do the fields a fund does not have.
std::string buildCsvAnswer(const Market& market, const LocalDateTime& now,
                           const std::vector<std::string>& symbols, const std::vector<Field>& fields);

} // namespace listorix::quoted
