#include "quoted/HttpResponse.h"

#include "quoted/TextFormat.h"

namespace listorix::quoted {

std::string_view reasonPhrase(int status)
{
    switch (status) {
    case 200:
        return "OK";
    case 301:
        return "Moved Permanently";
    case 302:
        return "Found";
    case 307:
        return "Temporary Redirect";
    case 400:
        return "Bad Request";
    case 401:
        return "Unauthorized";
    case 403:
        return "Forbidden";
    case 404:
        return "Not Found";
    case 405:
        return "Method Not Allowed";
    case 407:
        return "Proxy Authentication Required";
    case 408:
        return "Request Timeout";
    case 411:
        return "Length Required";
    case 413:
        return "Payload Too Large";
    case 414:
        return "URI Too Long";
    case 429:
        return "Too Many Requests";
    case 431:
        return "Request Header Fields Too Large";
    case 500:
        return "Internal Server Error";
    case 501:
        return "Not Implemented";
    case 502:
        return "Bad Gateway";
    case 503:
        return "Service Unavailable";
    case 504:
        return "Gateway Timeout";
    case 505:
        return "HTTP Version Not Supported";
    default:
        return status < 400 ? "OK" : status < 500 ? "Client Error" : "Server Error";
    }
}

std::string HttpResponse::serialize(bool withBody) const
{
    if (headless)
        return withBody ? body : std::string();
    std::string out = "HTTP/1.0 " + std::to_string(status) + ' ' + std::string(reasonPhrase(status)) + "\r\n";
    out += "Server: listorix-quoted\r\n";
    out += "Content-Type: " + contentType + "\r\n";
    out += "Content-Length: " + std::to_string(body.size()) + "\r\n";
    out += "Connection: close\r\n";
    for (const auto& [name, value] : extraHeaders)
        out += name + ": " + value + "\r\n";
    out += "\r\n";
    if (withBody)
        out += body;
    return out;
}

HttpResponse errorResponse(int status, std::string_view message)
{
    const std::string title = std::to_string(status) + ' ' + std::string(reasonPhrase(status));
    HttpResponse response;
    response.status = status;
    response.body = "<html><head><title>" + title + "</title></head>\r\n<body><h1>" + title + "</h1>\r\n<p>" +
                    text::htmlEscape(message) + "</p></body></html>\r\n";
    return response;
}

} // namespace listorix::quoted
