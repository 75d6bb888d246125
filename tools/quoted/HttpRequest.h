#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace listorix::quoted {

// Bounds on what a client may send before its request is refused.
struct RequestLimits
{
    std::size_t maxRequestLine = 8190;
    std::size_t maxHeaderLine = 8190;
    std::size_t maxHeadBytes = 32768;
    std::size_t maxHeaderCount = 100;
};

struct HttpRequest
{
    std::string method;
    std::string target;        // as sent
    std::string path;          // "/d/quotes.csv"
    std::string query;         // the text after "?", raw
    std::string version;       // "HTTP/1.0" or "HTTP/1.1"
    bool absoluteForm = false; // the target was a whole "http://host/..." URL (a proxy request)
    std::vector<std::pair<std::string, std::string>> headers; // names in lower case

    // The value of the first header of that (lower-case) name.
    const std::string* header(std::string_view lowerName) const;
};

// A parsed request head, or the error status to answer with.
struct ParsedHead
{
    std::optional<HttpRequest> request;
    int errorStatus = 0;
    std::string errorText;
};

// Where the head (request line and header lines, ended by an empty line; lines end at LF
// with an optional CR) ends in what has arrived: the offset just past the empty line, or
// npos while it is incomplete.
std::size_t findHeadEnd(std::string_view received);
// While the head is incomplete: 0 if more may come, else the status that refuses it
// (414 for an overlong request line, 431 for an overlong header).
int checkPartialHead(std::string_view received, const RequestLimits& limits);
// Parses a complete head (as cut by findHeadEnd).
ParsedHead parseRequestHead(std::string_view head, const RequestLimits& limits);

} // namespace listorix::quoted
