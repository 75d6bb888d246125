#include "browser/BrowserProxy.h"

#include "base/Digits.h"
#include "base/ProxySettings.h"
#include "base/Trim.h"
#include "http/HttpUrl.h"

namespace listorix {

namespace {

std::uint16_t portOrDefault(std::string_view text)
{
    const auto value = parseDigits(trimSpacesAndTabs(text), 5);
    if (!value || *value == 0 || *value > 65535)
        return 80;
    return static_cast<std::uint16_t>(*value);
}

} // namespace

std::optional<BrowserProxy> browserProxy(const ProxySettings& proxy)
{
    if (!proxy.enabled)
        return std::nullopt;
    const HttpUrl address = parseHttpUrl(trimSpacesAndTabs(proxy.address));
    const std::string host = address.hostName();
    if (host.empty())
        return std::nullopt;
    return BrowserProxy{host, portOrDefault(address.portOr(proxy.port)), proxy.username, proxy.password};
}

} // namespace listorix
