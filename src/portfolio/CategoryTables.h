#pragma once

#include "market/QuoteCategory.h"
#include "market/QuoteTables.h"

#include <optional>
#include <string_view>

namespace listorix {

class TAlignGrid;

// The type code a row of the category gets ("TA", "TO", "TD", "F").
std::string_view typeCodeOf(QuoteCategory category);
// The category of a type code, compared exactly; none for "PERS" and anything else.
std::optional<QuoteCategory> categoryOfTypeCode(std::string_view typeCode);

// The four quote tables: code, name, price in display form and price date (DD/MM
// first) in the columns QuoteColumn names; row 0 is their header.
struct CategoryTables
{
    TAlignGrid& StringGridYahoo;
    TAlignGrid& StringGridYahooOBB;
    TAlignGrid& StringGridYahooDerivati;
    TAlignGrid& StringGridFondi;

    TAlignGrid& table(QuoteCategory category) const;
    // The category whose table `grid` is; none for any other table.
    std::optional<QuoteCategory> categoryOf(const TAlignGrid& grid) const;
};

} // namespace listorix
