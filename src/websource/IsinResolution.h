#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace listorix {

class SymbolResolutions;
class WallClock;
class WebRequestRound;
struct WebSourceEndpoints;

// The quote service's search for an ISIN, as sent:
// <searchUrl>/v1/finance/search?q=<ISIN>&quotesCount=1&newsCount=0.
std::string searchRequestUrl(const WebSourceEndpoints& endpoints, std::string_view isin);

// The chart endpoint's symbol of an ISIN that the exchange's service does not answer
// (a fund: the chart endpoint knows it only by a symbol of its own): the one kept in
// `resolutions`, else the search's, which is then kept; a search that found nothing
// is kept too, and stands for a day (timed by `wallClock`). Nothing when there is no
// symbol to ask for: found none, or the search could not be asked or did not answer
// (that is not kept, so the next round searches again).
std::optional<std::string> resolveIsin(std::string_view isin, const WebSourceEndpoints& endpoints,
                                       WebRequestRound& round, SymbolResolutions& resolutions,
                                       const WallClock& wallClock);

} // namespace listorix
