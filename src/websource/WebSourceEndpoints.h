#pragma once

#include <string>
#include <string_view>

namespace listorix {

// Base addresses of the web source (scheme, host and optional port) in section
// "SERVIZIO", so that tests and users can point it elsewhere; missing or unusable
// values give the defaults.
inline constexpr std::string_view kWebChartUrlKey = "WEB_GRAFICI";
inline constexpr std::string_view kWebExchangeUrlKey = "WEB_BORSA";
inline constexpr std::string_view kWebSearchUrlKey = "WEB_RICERCA";
// A PEM file of certificates the web source trusts instead of the system's.
inline constexpr std::string_view kWebCertificatesKey = "WEB_CERTIFICATI";

inline constexpr std::string_view kDefaultWebChartUrl = "https://query1.finance.yahoo.com";
inline constexpr std::string_view kDefaultWebExchangeUrl = "https://charts.borsaitaliana.it";
inline constexpr std::string_view kDefaultWebSearchUrl = "https://query2.finance.yahoo.com";

// The web source's addresses and trust.
struct WebSourceEndpoints
{
    std::string chartUrl{kDefaultWebChartUrl};       // GET <chartUrl>/v8/finance/chart/<symbol>…
    std::string exchangeUrl{kDefaultWebExchangeUrl}; // POST <exchangeUrl>/charts/services/…
    std::string certificatesFile;                    // empty: the system's certificates
    std::string searchUrl{kDefaultWebSearchUrl};     // GET <searchUrl>/v1/finance/search?q=<ISIN>…

    bool operator==(const WebSourceEndpoints&) const = default;
};

// A base address as the web source uses it: "http://" or "https://" (any letter
// case), a host, an optional port 1-65535, and nothing after but an optional "/";
// returned without that "/" and with the scheme in lower case. Empty when unusable.
std::string parseWebBaseUrl(std::string_view raw);

// The endpoints from the raw settings values; each missing or unusable address
// takes its default.
WebSourceEndpoints webSourceEndpointsFromSettings(std::string_view rawChartUrl,
                                                  std::string_view rawExchangeUrl,
                                                  std::string_view rawCertificatesFile,
                                                  std::string_view rawSearchUrl = {});

} // namespace listorix
