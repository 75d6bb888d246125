#pragma once

#include <chrono>
#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace listorix::quoted {

// Misbehaviour on demand, for testing clients against a service that fails.
struct Faults
{
    enum class HtmlError
    {
        None,
        Page,    // quotes requests get "200 OK" with an HTML error page as the body
        Headless // ...and the page is sent alone, with no status line or header
    };

    // path -> status to answer it with; a path ending in "/" stands for every path under it.
    std::map<std::string, int> failingPaths;
    std::optional<int> retryAfterSeconds; // sent with the 429 and 503 answers of failingPaths
    HtmlError htmlError = HtmlError::None;
    bool consentPage = false;                 // the web API paths get "200 OK" with a cookie consent page
    std::string proxyCredentials;             // "user:password" every request must carry as
                                              // Proxy-Authorization Basic; empty: none needed
    std::chrono::milliseconds delay{0};       // before an answer is sent
    std::optional<std::size_t> cutAfterBytes; // the connection closes after that many bytes
    // The quote service's web paths (chart, search) answer "307 Temporary Redirect"
    // to its consent host, as they do to a browser from the EU without cookies.
    bool consentRedirect = false;
    // The quote service's web paths answer "Edge: Too Many Requests" with this
    // status (429, and at times 200).
    std::optional<int> edgeRateLimitStatus;

    // Shapes of the real services' answers, each on demand.
    enum class Names
    {
        Both,         // shortName and longName, as most answers
        Padded,       // shortName padded with blanks to a fixed width
        LongNameOnly, // no shortName key
        None,         // neither key
    };
    Names names = Names::Both;
    std::string currency = "EUR";         // meta.currency of every security but the indices
    bool midnightRows = false;            // the exchange stamps daily rows at 00:00 UTC of their day
    bool staleChartPreviousClose = false; // chartPreviousClose is the close before the previous session
    bool longDecimals = false;            // priceHint 2 whatever the decimals, series values single-precision
    bool missingKeys = false;             // day range, volume and closes left out (not null),
                                          // indicators.quote [{}], no timestamp

    // The status failingPaths give a path (the longest matching entry), 0 for none.
    int failingStatus(std::string_view path) const
    {
        int status = 0;
        std::size_t matched = 0;
        for (const auto& [failing, code] : failingPaths) {
            const bool matches = failing == path || (failing.ends_with('/') && path.starts_with(failing));
            if (matches && failing.size() >= matched) {
                status = code;
                matched = failing.size();
            }
        }
        return status;
    }
};

} // namespace listorix::quoted
