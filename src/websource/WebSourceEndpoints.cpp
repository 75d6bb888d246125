#include "websource/WebSourceEndpoints.h"

#include "base/CaseFold.h"
#include "base/Digits.h"
#include "base/NumberFormat.h"
#include "base/Trim.h"

namespace listorix {

namespace {

bool isHostCharacter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_';
}

} // namespace

std::string parseWebBaseUrl(std::string_view raw)
{
    std::string_view value = trimControls(raw);
    std::string scheme;
    for (const std::string_view candidate : {std::string_view("https://"), std::string_view("http://")}) {
        if (value.size() > candidate.size() &&
            textEqualsIgnoringCase(value.substr(0, candidate.size()), candidate)) {
            scheme = candidate;
            value.remove_prefix(candidate.size());
            break;
        }
    }
    if (scheme.empty())
        return {};
    if (!value.empty() && value.back() == '/')
        value.remove_suffix(1);
    const auto colon = value.find(':');
    const std::string_view host = value.substr(0, colon);
    if (host.empty())
        return {};
    for (const char c : host) {
        if (!isHostCharacter(c))
            return {};
    }
    if (colon != std::string_view::npos) {
        const auto port = parseDigits(value.substr(colon + 1), 5);
        if (!port || *port == 0 || *port > 65535)
            return {};
    }
    return scheme + std::string(value);
}

WebSourceEndpoints webSourceEndpointsFromSettings(std::string_view rawChartUrl,
                                                  std::string_view rawExchangeUrl,
                                                  std::string_view rawCertificatesFile,
                                                  std::string_view rawSearchUrl)
{
    WebSourceEndpoints endpoints;
    if (std::string url = parseWebBaseUrl(rawChartUrl); !url.empty())
        endpoints.chartUrl = std::move(url);
    if (std::string url = parseWebBaseUrl(rawExchangeUrl); !url.empty())
        endpoints.exchangeUrl = std::move(url);
    if (std::string url = parseWebBaseUrl(rawSearchUrl); !url.empty())
        endpoints.searchUrl = std::move(url);
    endpoints.certificatesFile = std::string(trimControls(rawCertificatesFile));
    return endpoints;
}

} // namespace listorix
