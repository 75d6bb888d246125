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
    std::size_t maxBodyBytes = 65536;
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
    std::string body;                                         // as many bytes as Content-Length says

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

// Reads one request as its bytes arrive: the head, then a body of the length that
// Content-Length gives (a POST must give one; chunked bodies are not taken). Each byte
// of the head is looked at once, and a line is judged when it is complete (earlier only
// once it is longer than any line that could pass), so the cost grows with the bytes
// alone and the verdict does not depend on how the bytes were split into reads. Empty
// lines before the request line are skipped, as robust servers do; lines end at LF with
// an optional CR.
class RequestReader final
{
public:
    enum class State
    {
        Reading,  // more is needed
        Complete, // result().request holds the request
        Refused   // result() holds the status and reason that refuse it
    };

    explicit RequestReader(const RequestLimits& limits = {});

    // Takes the next bytes from the client. Bytes after a complete or refused request
    // are ignored.
    State add(std::string_view bytes);

    State state() const { return m_state; }
    const ParsedHead& result() const { return m_result; }
    // Whether anything but empty lines has arrived: a client that leaves before that
    // sent no request at all.
    bool requestBegun() const;

private:
    // Judges the line from m_lineStart to the LF at lineFeed; false once the head is
    // complete or refused.
    bool judgeLine(std::size_t lineFeed);
    // Once the head is complete: how long a body to wait for, or the refusal.
    void planBody(std::size_t bodyStart);
    void refuse(int status, std::string text);

    RequestLimits m_limits;
    std::string m_received;
    std::size_t m_lineStart = 0;
    bool m_requestLineSeen = false;
    std::size_t m_headerLines = 0;
    bool m_inBody = false;
    std::size_t m_bodyStart = 0;
    std::size_t m_bodyLength = 0;
    State m_state = State::Reading;
    ParsedHead m_result;
};

// Parses a complete head: the request line and header lines and the empty line after them.
ParsedHead parseRequestHead(std::string_view head, const RequestLimits& limits);

} // namespace listorix::quoted
