#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace listorix::quoted {

// "%5E" and the like turned into their bytes; an escape that is not two hex digits stays
// as written. A "+" stays a "+": in the "s" key it separates symbols.
std::string percentDecode(std::string_view text);

// The pairs of a query ("s=A+B&f=sl1"), in order; keys decoded, values raw. A part
// without "=" is a key with an empty value.
std::vector<std::pair<std::string, std::string>> splitQuery(std::string_view query);

// The raw value of the first pair with that key.
std::optional<std::string> queryValue(const std::vector<std::pair<std::string, std::string>>& pairs,
                                      std::string_view key);

// The symbols of an "s" value: split at "+", each one decoded.
std::vector<std::string> splitSymbols(std::string_view rawValue);

} // namespace listorix::quoted
