#include "portfolio/CategoryTables.h"

#include "portfolio/PortfolioTable.h"

namespace listorix {

std::string_view typeCodeOf(Category category)
{
    switch (category) {
    case Category::Shares:
        return kTypeShare;
    case Category::Bonds:
        return kTypeBond;
    case Category::Derivatives:
        return kTypeDerivative;
    case Category::Funds:
        return kTypeFund;
    }
    return {};
}

std::optional<Category> categoryOfTypeCode(std::string_view typeCode)
{
    for (const Category category :
         {Category::Shares, Category::Bonds, Category::Derivatives, Category::Funds}) {
        if (typeCode == typeCodeOf(category))
            return category;
    }
    return std::nullopt;
}

TAlignGrid& CategoryTables::table(Category category) const
{
    switch (category) {
    case Category::Shares:
        return StringGridYahoo;
    case Category::Bonds:
        return StringGridYahooOBB;
    case Category::Derivatives:
        return StringGridYahooDerivati;
    case Category::Funds:
        break;
    }
    return StringGridFondi;
}

std::optional<Category> CategoryTables::categoryOf(const TAlignGrid& grid) const
{
    for (const Category category :
         {Category::Shares, Category::Bonds, Category::Derivatives, Category::Funds}) {
        if (&grid == &table(category))
            return category;
    }
    return std::nullopt;
}

} // namespace listorix
