#pragma once

#include <optional>
#include <string_view>

namespace listorix {

// The symbol under which the web source quotes today the index that the quote
// service knew as `indexSymbol` ("^MIBTEL", "^SPMIB", …, letter case ignored).
// Nothing for an index that has no successor, or that the table does not know:
// its row stays empty.
std::optional<std::string_view> indexSuccessor(std::string_view indexSymbol);

// The old service's index symbols begin with "^".
bool isIndexSymbol(std::string_view symbol);

} // namespace listorix
