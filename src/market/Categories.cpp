#include "market/Categories.h"

namespace listorix {

std::optional<ConnectionId> connectionOfTypeCode(std::string_view typeCode)
{
    for (const ConnectionId id : kQuoteConnections) {
        if (typeCode == categoryOf(id).typeCode)
            return id;
    }
    return std::nullopt;
}

} // namespace listorix
