#include "portfolio/CategoryTables.h"

#include "portfolio/PortfolioTable.h"

namespace listorix {

std::string_view typeCodeOf(QuoteCategory category)
{
    switch (category) {
    case QuoteCategory::Shares:
        return kTypeShare;
    case QuoteCategory::Bonds:
        return kTypeBond;
    case QuoteCategory::Derivatives:
        return kTypeDerivative;
    case QuoteCategory::Funds:
        return kTypeFund;
    }
    return {};
}

std::optional<QuoteCategory> categoryOfTypeCode(std::string_view typeCode)
{
    for (const QuoteCategory category :
         {QuoteCategory::Shares, QuoteCategory::Bonds, QuoteCategory::Derivatives, QuoteCategory::Funds}) {
        if (typeCode == typeCodeOf(category))
            return category;
    }
    return std::nullopt;
}

TAlignGrid& CategoryTables::table(QuoteCategory category) const
{
    switch (category) {
    case QuoteCategory::Shares:
        return StringGridYahoo;
    case QuoteCategory::Bonds:
        return StringGridYahooOBB;
    case QuoteCategory::Derivatives:
        return StringGridYahooDerivati;
    case QuoteCategory::Funds:
        break;
    }
    return StringGridFondi;
}

std::optional<QuoteCategory> CategoryTables::categoryOf(const TAlignGrid& grid) const
{
    for (const QuoteCategory category :
         {QuoteCategory::Shares, QuoteCategory::Bonds, QuoteCategory::Derivatives, QuoteCategory::Funds}) {
        if (&grid == &table(category))
            return category;
    }
    return std::nullopt;
}

} // namespace listorix
