#pragma once

#include <chrono>
#include <cstddef>
#include <map>
#include <optional>
#include <string>

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

    std::map<std::string, int> failingPaths; // path -> status to answer it with
    HtmlError htmlError = HtmlError::None;
    std::string proxyCredentials;             // "user:password" every request must carry as
                                              // Proxy-Authorization Basic; empty: none needed
    std::chrono::milliseconds delay{0};       // before an answer is sent
    std::optional<std::size_t> cutAfterBytes; // the connection closes after that many bytes
};

} // namespace listorix::quoted
