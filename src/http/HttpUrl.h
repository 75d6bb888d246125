#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace listorix {

// A URL split the way the HTTP client needs it. Parsing never fails: whatever the
// text holds lands in some field, and a missing part takes its default.
struct HttpUrl
{
    std::string protocol = "http"; // as written, "http" when the URL names none
    std::string username;
    std::string password;
    std::string host;       // as written, an IPv6 literal with its brackets
    std::string port;       // as written, empty when the URL names none
    std::string path = "/"; // from the first "/" or "?" after the host, query included

    // The host name to resolve: the host without the brackets of an IPv6 literal.
    std::string hostName() const;
    // The port to connect to: the URL's own, else `fallback`.
    std::string portOr(std::string_view fallback) const
    {
        return port.empty() ? std::string(fallback) : port;
    }
    // The value of the Host line: the host, and the port when it is named and not 80.
    std::string hostLine() const;
    // Protocol, "://", host, the port only when the URL names one, and the path.
    std::string absolute() const;
    bool isHttp() const;
};

HttpUrl parseHttpUrl(std::string_view text);

// The URL a "Location" value leads to from `current`: a full http:// or https://
// URL replaces host, port and path; a value beginning with "/" replaces the path;
// any other value replaces what follows the last "/" or ":" of the current path.
// The value goes into the next request line, so it must not be able to end that
// line or add words to it: blanks and tabs at its ends are dropped, a blank inside
// is sent as "%20", and a value holding any other control character (CR, LF, NUL,
// a tab inside, DEL, ...) leads nowhere.
std::optional<HttpUrl> resolveLocation(const HttpUrl& current, std::string_view location);

} // namespace listorix
