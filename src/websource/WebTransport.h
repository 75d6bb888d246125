#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace listorix {

// One request of the web source: a GET, or a POST of a JSON body.
struct WebRequest
{
    std::string url;
    std::string jsonBody; // empty: GET

    bool operator==(const WebRequest&) const = default;
};

// What came back. `answered` is false when no HTTP answer arrived at all (name
// resolution, connection, TLS, a stop); `error` then says why.
struct WebResponse
{
    bool answered = false;
    std::string error;
    long status = 0;
    std::string contentType; // as sent, may be empty
    std::string body;
    std::optional<std::int64_t> retryAfterSeconds; // from a Retry-After header
    std::string location;                          // of a redirection (3xx), absolute; not followed
};

// The HTTPS road of the web source, an interface so that tests answer with fakes.
// One request at a time, on the thread that calls perform().
class WebTransport
{
public:
    virtual ~WebTransport() = default;
    virtual WebResponse perform(const WebRequest& request) = 0;
};

} // namespace listorix
