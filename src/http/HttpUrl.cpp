#include "http/HttpUrl.h"

#include "base/CaseFold.h"
#include "base/Trim.h"

#include <algorithm>

namespace listorix {

namespace {

bool startsWithNoCase(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && equalsIgnoringAsciiCase(text.substr(0, prefix.size()), prefix);
}

void splitHostPort(std::string_view text, HttpUrl& url)
{
    if (!text.empty() && text.front() == '[') {
        const auto close = text.find(']');
        if (close != std::string_view::npos) {
            url.host = std::string(text.substr(0, close + 1));
            const auto rest = text.substr(close + 1);
            if (!rest.empty() && rest.front() == ':')
                url.port = std::string(rest.substr(1));
            return;
        }
    }
    const auto colon = text.rfind(':');
    if (colon == std::string_view::npos) {
        url.host = std::string(text);
        return;
    }
    url.host = std::string(text.substr(0, colon));
    url.port = std::string(text.substr(colon + 1));
}

// The location as it may stand in a request line, or nothing when it holds a
// character that would end or split that line.
std::optional<std::string> requestSafe(std::string_view location)
{
    std::string safe;
    safe.reserve(location.size());
    for (const char c : trimSpacesAndTabs(location)) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F)
            return std::nullopt;
        if (c == ' ')
            safe += "%20";
        else
            safe += c;
    }
    return safe;
}

} // namespace

std::string HttpUrl::hostName() const
{
    if (host.size() >= 2 && host.front() == '[' && host.back() == ']')
        return host.substr(1, host.size() - 2);
    return host;
}

std::string HttpUrl::hostLine() const
{
    if (port.empty() || port == "80")
        return host;
    return host + ':' + port;
}

std::string HttpUrl::absolute() const
{
    std::string text = protocol + "://" + host;
    if (!port.empty())
        text += ':' + port;
    return text + path;
}

bool HttpUrl::isHttp() const
{
    return protocol.size() == 4 && startsWithNoCase(protocol, "http");
}

HttpUrl parseHttpUrl(std::string_view text)
{
    HttpUrl url;
    if (const auto scheme = text.find("://"); scheme != std::string_view::npos) {
        url.protocol = std::string(text.substr(0, scheme));
        text.remove_prefix(scheme + 3);
    }
    if (const auto pathStart = text.find_first_of("/?"); pathStart != std::string_view::npos) {
        url.path = std::string(text.substr(pathStart));
        text = text.substr(0, pathStart);
    }
    if (const auto at = text.rfind('@'); at != std::string_view::npos) {
        const auto credentials = text.substr(0, at);
        const auto colon = credentials.find(':');
        url.username = std::string(credentials.substr(0, colon));
        if (colon != std::string_view::npos)
            url.password = std::string(credentials.substr(colon + 1));
        text.remove_prefix(at + 1);
    }
    splitHostPort(text, url);
    return url;
}

std::optional<HttpUrl> resolveLocation(const HttpUrl& current, std::string_view value)
{
    const std::optional<std::string> safe = requestSafe(value);
    if (!safe)
        return std::nullopt;
    const std::string& location = *safe;
    if (startsWithNoCase(location, "http://") || startsWithNoCase(location, "https://"))
        return parseHttpUrl(location);
    HttpUrl next = current;
    if (!location.empty() && location.front() == '/') {
        next.path = location;
        return next;
    }
    const auto cut = current.path.find_last_of("/:");
    if (cut == std::string::npos)
        next.path = '/' + location;
    else
        next.path = current.path.substr(0, cut + 1) + location;
    return next;
}

} // namespace listorix
