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

RequestReader::RequestReader(const RequestLimits& limits) : m_limits(limits) {}

RequestReader::State RequestReader::add(std::string_view bytes)
{
    if (m_state != State::Reading)
        return m_state;
    std::size_t next = m_received.size();
    m_received.append(bytes);
    if (!m_inBody) {
        for (std::size_t lf; (lf = m_received.find('\n', next)) != std::string::npos; next = lf + 1) {
            if (!judgeLine(lf))
                break;
            m_lineStart = lf + 1;
        }
        if (m_state != State::Reading)
            return m_state;
    }
    if (m_inBody) {
        if (m_received.size() - m_bodyStart >= m_bodyLength) {
            m_result.request->body = m_received.substr(m_bodyStart, m_bodyLength);
            m_state = State::Complete;
        }
        return m_state;
    }
    // The line still arriving is refused only once no ending could make it pass: a CR
    // at its end may be the first half of its CR LF.
    std::size_t partial = m_received.size() - m_lineStart;
    if (partial > 0 && m_received.back() == '\r')
        --partial;
    if (!m_requestLineSeen && partial > m_limits.maxRequestLine)
        refuse(414, "request line too long");
    else if (m_requestLineSeen && partial > m_limits.maxHeaderLine)
        refuse(431, "header line too long");
    return m_state;
}

void RequestReader::planBody(std::size_t bodyStart)
{
    const HttpRequest& request = *m_result.request;
    if (request.header("transfer-encoding")) {
        refuse(501, "Transfer-Encoding is not supported; send Content-Length");
        return;
    }
    const std::string* length = nullptr;
    for (const auto& [name, value] : request.headers) {
        if (name != "content-length")
            continue;
        if (length && *length != value) {
            refuse(400, "conflicting Content-Length headers");
            return;
        }
        length = &value;
    }
    if (!length) {
        if (request.method == "POST" || request.method == "PUT")
            refuse(411, "a request with a body needs Content-Length");
    } else if (length->empty() || !std::all_of(length->begin(), length->end(), isAsciiDigit)) {
        refuse(400, "malformed Content-Length");
    } else if (const auto value = parseDigits(*length, 9); !value || *value > m_limits.maxBodyBytes) {
        refuse(413, "request body too large");
    } else {
        m_bodyLength = *value;
    }
    if (m_state == State::Reading) {
        m_inBody = true;
        m_bodyStart = bodyStart;
    }
}

bool RequestReader::judgeLine(std::size_t lineFeed)
{
    std::size_t length = lineFeed - m_lineStart;
    if (length > 0 && m_received[lineFeed - 1] == '\r')
        --length;
    if (!m_requestLineSeen) {
        if (length == 0) {
            // An empty line before the request line; a client sending nothing else is
            // cut off as if they made one overlong line.
            if (lineFeed + 1 > m_limits.maxRequestLine) {
                refuse(400, "empty lines instead of a request");
                return false;
            }
            return true;
        }
        m_requestLineSeen = true;
        if (length > m_limits.maxRequestLine) {
            refuse(414, "request line too long");
            return false;
        }
    } else if (length == 0) {
        m_result = parseRequestHead(std::string_view(m_received).substr(0, lineFeed + 1), m_limits);
        if (m_result.request)
            planBody(lineFeed + 1);
        else
            m_state = State::Refused;
        return false;
    } else if (length > m_limits.maxHeaderLine) {
        refuse(431, "header line too long");
        return false;
    } else if (++m_headerLines > m_limits.maxHeaderCount) {
        refuse(431, "too many header lines");
        return false;
    }
    if (lineFeed + 1 > m_limits.maxHeadBytes) {
        refuse(431, "request header too large");
        return false;
    }
    return true;
}

void RequestReader::refuse(int status, std::string text)
{
    m_result = failure(status, std::move(text));
    m_state = State::Refused;
}

bool RequestReader::requestBegun() const
{
    return m_requestLineSeen ||
           std::string_view(m_received).substr(m_lineStart).find_first_not_of('\r') != std::string_view::npos;
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
