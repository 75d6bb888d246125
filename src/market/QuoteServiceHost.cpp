#include "market/QuoteServiceHost.h"

#include "base/Digits.h"
#include "base/Trim.h"

#include <array>

namespace listorix {

namespace {

bool isAsciiAlnum(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

// A DNS name or a dotted IPv4 address: labels of letters, digits, "-" and "_",
// none empty, none longer than 63, none beginning or ending with "-".
bool isValidHostName(std::string_view host)
{
    if (host.empty() || host.size() > 253)
        return false;
    std::size_t labelStart = 0;
    for (std::size_t i = 0; i <= host.size(); ++i) {
        if (i == host.size() || host[i] == '.') {
            const std::string_view label = host.substr(labelStart, i - labelStart);
            if (label.empty() || label.size() > 63 || label.front() == '-' || label.back() == '-')
                return false;
            labelStart = i + 1;
        } else if (!isAsciiAlnum(host[i]) && host[i] != '-' && host[i] != '_') {
            return false;
        }
    }
    return true;
}

std::optional<unsigned> parsePort(std::string_view text)
{
    const auto value = parseDigits(text, 5);
    if (!value || *value == 0 || *value > 65535)
        return std::nullopt;
    return value;
}

} // namespace

std::optional<std::string> parseQuoteServiceHost(std::string_view raw)
{
    const std::string_view value = trimSpacesAndTabs(raw);
    const auto colon = value.find(':');
    const std::string_view host = value.substr(0, colon);
    if (!isValidHostName(host))
        return std::nullopt;
    if (colon == std::string_view::npos)
        return std::string(host);
    const auto port = parsePort(value.substr(colon + 1));
    if (!port)
        return std::nullopt;
    return std::string(host) + ':' + std::to_string(*port);
}

std::string quoteServiceHostFromSetting(std::string_view raw)
{
    if (auto host = parseQuoteServiceHost(raw))
        return std::move(*host);
    return std::string(kDefaultQuoteServiceHost);
}

std::optional<std::string> chartPageUrl(std::string_view host, std::string_view symbol, int period)
{
    static constexpr std::array<std::string_view, 7> kPeriods = {"1d", "5d", "3m", "6m", "1y", "2y", "5y"};
    if (period < 1 || period > static_cast<int>(kPeriods.size()))
        return std::nullopt;
    std::string url = "http://";
    url += host;
    url += "/q/bc?s=";
    url += symbol;
    url += "&t=";
    url += kPeriods[static_cast<std::size_t>(period - 1)];
    return url;
}

} // namespace listorix
