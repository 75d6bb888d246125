#include "quoted/HttpRequest.h"

#include "base/CaseFold.h"
#include "base/Digits.h"
#include "base/Trim.h"

#include <algorithm>

namespace listorix::quoted {

namespace {

bool isTokenChar(char c)
{
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))
        return true;
    return std::string_view("!#$%&'*+-.^_`|~").find(c) != std::string_view::npos;
}

ParsedHead failure(int status, std::string text)
{
    ParsedHead result;
    result.errorStatus = status;
    result.errorText = std::move(text);
    return result;
}

// Splits the head into lines without their CR LF / LF ends.
std::vector<std::string_view> headLines(std::string_view head)
{
    std::vector<std::string_view> lines;
    while (!head.empty()) {
        const std::size_t lf = head.find('\n');
        std::string_view line = head.substr(0, lf);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.push_back(line);
        head = lf == std::string_view::npos ? std::string_view() : head.substr(lf + 1);
    }
    while (!lines.empty() && lines.back().empty())
        lines.pop_back();
    return lines;
}

} // namespace

const std::string* HttpRequest::header(std::string_view lowerName) const
{
    for (const auto& [name, value] : headers) {
        if (name == lowerName)
            return &value;
    }
    return nullptr;
}

std::size_t findHeadEnd(std::string_view received)
{
    std::size_t start = 0;
    while (true) {
        const std::size_t lf = received.find('\n', start);
        if (lf == std::string_view::npos)
            return std::string_view::npos;
        const std::size_t length = lf - start;
        if (length == 0 || (length == 1 && received[start] == '\r')) {
            // Empty lines before the request line are skipped by the parser, not an end.
            if (received.find_first_not_of("\r\n") < start)
                return lf + 1;
        }
        start = lf + 1;
    }
}

int checkPartialHead(std::string_view received, const RequestLimits& limits)
{
    const std::size_t firstNonEmpty = received.find_first_not_of("\r\n");
    if (firstNonEmpty == std::string_view::npos)
        return received.size() > limits.maxRequestLine ? 400 : 0;
    const std::size_t lineEnd = received.find('\n', firstNonEmpty);
    if (lineEnd == std::string_view::npos)
        return received.size() - firstNonEmpty > limits.maxRequestLine ? 414 : 0;
    if (lineEnd - firstNonEmpty > limits.maxRequestLine + 1)
        return 414;
    if (received.size() > limits.maxHeadBytes)
        return 431;
    const std::size_t lastLf = received.rfind('\n');
    if (received.size() - lastLf - 1 > limits.maxHeaderLine)
        return 431;
    return 0;
}

ParsedHead parseRequestHead(std::string_view head, const RequestLimits& limits)
{
    if (head.find('\0') != std::string_view::npos)
        return failure(400, "NUL byte in the request");
    if (head.size() > limits.maxHeadBytes)
        return failure(431, "request header too large");
    std::vector<std::string_view> lines = headLines(head);
    // Blank lines before the request line are tolerated, as robust servers do.
    auto first = std::find_if(lines.begin(), lines.end(), [](std::string_view l) { return !l.empty(); });
    lines.erase(lines.begin(), first);
    if (lines.empty())
        return failure(400, "empty request");

    const std::string_view requestLine = lines.front();
    if (requestLine.size() > limits.maxRequestLine)
        return failure(414, "request line too long");
    const std::size_t space1 = requestLine.find(' ');
    const std::size_t space2 = space1 == std::string_view::npos ? space1 : requestLine.find(' ', space1 + 1);
    if (space2 == std::string_view::npos || requestLine.find(' ', space2 + 1) != std::string_view::npos)
        return failure(400, "malformed request line");

    HttpRequest request;
    request.method = requestLine.substr(0, space1);
    request.target = requestLine.substr(space1 + 1, space2 - space1 - 1);
    request.version = requestLine.substr(space2 + 1);
    if (request.method.empty() || !std::all_of(request.method.begin(), request.method.end(), isTokenChar))
        return failure(400, "malformed method");
    if (request.version != "HTTP/1.0" && request.version != "HTTP/1.1") {
        const std::string_view v = request.version;
        if (v.size() == 8 && v.substr(0, 5) == "HTTP/" && isAsciiDigit(v[5]) && v[6] == '.' &&
            isAsciiDigit(v[7]))
            return failure(505, "HTTP version not supported");
        return failure(400, "malformed HTTP version");
    }
    if (request.target.empty() || std::any_of(request.target.begin(), request.target.end(), [](char c) {
            const auto u = static_cast<unsigned char>(c);
            return u < 0x21 || u == 0x7f;
        }))
        return failure(400, "malformed request target");

    std::string_view pathAndQuery = request.target;
    if (pathAndQuery.front() != '/') {
        const std::size_t schemeEnd = pathAndQuery.find("://");
        if (schemeEnd == std::string_view::npos || asciiLower(pathAndQuery.substr(0, schemeEnd)) != "http")
            return failure(400, "unsupported request target");
        const std::string_view rest = pathAndQuery.substr(schemeEnd + 3);
        const std::size_t pathStart = rest.find_first_of("/?");
        if (rest.substr(0, pathStart).empty())
            return failure(400, "request target without a host");
        pathAndQuery = pathStart == std::string_view::npos ? std::string_view("/") : rest.substr(pathStart);
        request.absoluteForm = true;
    }
    pathAndQuery = pathAndQuery.substr(0, pathAndQuery.find('#'));
    const std::size_t question = pathAndQuery.find('?');
    request.path = pathAndQuery.substr(0, question);
    if (request.path.empty())
        request.path = "/";
    if (question != std::string_view::npos)
        request.query = pathAndQuery.substr(question + 1);

    if (lines.size() - 1 > limits.maxHeaderCount)
        return failure(431, "too many header lines");
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        if (line.size() > limits.maxHeaderLine)
            return failure(431, "header line too long");
        if (line.empty() || line.front() == ' ' || line.front() == '\t')
            return failure(400, "malformed header line");
        const std::size_t colon = line.find(':');
        const std::string_view name = line.substr(0, colon);
        if (colon == std::string_view::npos || name.empty() ||
            !std::all_of(name.begin(), name.end(), isTokenChar))
            return failure(400, "malformed header line");
        request.headers.emplace_back(asciiLower(name),
                                     std::string(trimSpacesAndTabs(line.substr(colon + 1))));
    }
    ParsedHead result;
    result.request = std::move(request);
    return result;
}

} // namespace listorix::quoted
