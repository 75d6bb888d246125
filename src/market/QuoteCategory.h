#pragma once

namespace listorix {

// The four security categories, each with its quote table: shares
// (StringGridYahoo), bonds (StringGridYahooOBB), derivatives
// (StringGridYahooDerivati) and funds (StringGridFondi). This is also the order
// of the portfolio selection dialog's category list.
enum class QuoteCategory
{
    Shares,
    Bonds,
    Derivatives,
    Funds
};

} // namespace listorix
