#include "websource/IsinResolution.h"

#include "base/PercentEncoding.h"
#include "websource/SymbolResolutions.h"
#include "websource/WallClock.h"
#include "websource/WebAnswerDecoder.h"
#include "websource/WebRequestRound.h"
#include "websource/WebSourceEndpoints.h"

namespace listorix {

std::string searchRequestUrl(const WebSourceEndpoints& endpoints, std::string_view isin)
{
    return endpoints.searchUrl + "/v1/finance/search?q=" + percentEncode(isin) + "&quotesCount=1&newsCount=0";
}

std::optional<std::string> resolveIsin(std::string_view isin, const WebSourceEndpoints& endpoints,
                                       WebRequestRound& round, SymbolResolutions& resolutions,
                                       const WallClock& wallClock)
{
    const std::int64_t now = wallClock.nowSeconds();
    if (const auto kept = resolutions.find(isin); kept && resolutionStands(*kept, now)) {
        if (kept->symbol.empty())
            return std::nullopt;
        return kept->symbol;
    }
    const auto response = round.send(WebRequest{searchRequestUrl(endpoints, isin), ""}, WebHost::Search);
    if (!response)
        return std::nullopt;
    SearchAnswer answer = decodeSearchAnswer(*response);
    if (answer.fault != WebAnswerFault::None)
        return std::nullopt;
    resolutions.remember(isin, SymbolResolution{answer.symbol.value_or(""), now});
    return answer.symbol;
}

} // namespace listorix
