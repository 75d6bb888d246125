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

// Request entries name a path on the quote host, not the host: the fetch puts
// them on the host of the source in force ("http://" + host + entry) when each
// request starts.
// The single request of the index connection.
inline constexpr std::string_view kIndexRequest =
    "/d/quotes.csv?s=^MIBTEL+^MIB30+^MIDEX+^SPMIB&f=sl1d1t1c1hgp&e=.csv";
// A category request up to its symbols.
inline constexpr std::string_view kCategoryRequestPrefix = "/d/quotes.csv?s=";

} // namespace listorix
