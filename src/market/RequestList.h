#pragma once

#include "base/LineList.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace listorix {

// Every request URL carries at most this many symbols.
inline constexpr std::size_t kSymbolsPerRequest = 200;
inline constexpr std::string_view kCategoryFields = "&f=snl1d1t1oghpc2v";

// Appends one entry per 200 symbols: prefix + symbols joined by "+" + fields +
// TAB + caption + " k/N". Does not clear `target`.
void BuildRequestList(LineList& target, const LineList& symbols, std::string_view urlPrefix,
                      std::string_view caption, std::string_view fieldsSuffix);

// The single request of the index connection.
std::string indexRequestUrl(std::string_view host);
// A category request up to its symbols: "http://" + host + "/d/quotes.csv?s=".
std::string categoryUrlPrefix(std::string_view host);

} // namespace listorix
