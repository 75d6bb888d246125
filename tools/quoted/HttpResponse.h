#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace listorix::quoted {

struct HttpResponse
{
    int status = 200;
    std::string contentType = "text/html; charset=windows-1252";
    std::vector<std::pair<std::string, std::string>> extraHeaders;
    std::string body;
    // The body alone, with no status line or header, as some old servers sent their
    // error pages.
    bool headless = false;

    // The bytes on the wire: an HTTP/1.0 status line, Content-Type, Content-Length,
    // "Connection: close", the extra headers, and (unless only the head is wanted) the body.
    std::string serialize(bool withBody = true) const;
};

std::string_view reasonPhrase(int status);
// A short HTML page naming the status, with a sentence of explanation.
HttpResponse errorResponse(int status, std::string_view message);

} // namespace listorix::quoted
