#include "websource/IndexSuccessors.h"

#include "base/CaseFold.h"

namespace listorix {

namespace {

struct Successor
{
    std::string_view indexSymbol;
    std::optional<std::string_view> successor;
};

// The four indices of the panel, as the Milan exchange renamed them when it joined
// the London Stock Exchange group (June 2009), and the web source's symbols of the
// successors:
// - MIBTEL, the index of all listed shares, became the FTSE Italia All-Share;
// - S&P/MIB, the blue-chip index, became the FTSE MIB;
// - MIDEX, the mid caps outside the blue chips, became the FTSE Italia Mid Cap;
// - MIB30 was discontinued (S&P/MIB took its place in 2004): no data.
constexpr Successor kSuccessors[] = {
    {"^MIBTEL", "FTITLMS.MI"},
    {"^MIB30", std::nullopt},
    {"^MIDEX", "FTITMC.MI"},
    {"^SPMIB", "FTSEMIB.MI"},
};

} // namespace

std::optional<std::string_view> indexSuccessor(std::string_view indexSymbol)
{
    for (const Successor& entry : kSuccessors) {
        if (textEqualsIgnoringCase(entry.indexSymbol, indexSymbol))
            return entry.successor;
    }
    return std::nullopt;
}

bool isIndexSymbol(std::string_view symbol)
{
    return !symbol.empty() && symbol.front() == '^';
}

} // namespace listorix
