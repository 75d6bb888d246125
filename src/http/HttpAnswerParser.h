#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace listorix {

// Bounds that keep a hostile server from growing memory or looping.
struct AnswerLimits
{
    std::size_t maxLineBytes = 8190; // one header line with its line end: the receive buffer
    int maxHeaderLines = 100;
    std::size_t maxBodyBytes = 64u * 1024 * 1024;
};

enum class AnswerError
{
    None,
    HeaderTooLarge,   // a line longer than the buffer, or too many lines
    BadContentLength, // negative, overflowing, or two different values
    BadChunk,         // a chunk size that is missing, malformed or overflowing
    BodyTooLarge,
    Incomplete, // the connection closed inside the head or before the body's end
};

// What the head of an answer said.
struct AnswerHead
{
    bool hasStatusLine = false;
    int statusCode = 0;
    std::string version; // "1.0" or "1.1" from the status line
    std::string reasonPhrase;
    std::int64_t contentLength = -1;
    std::string contentType; // lower case
    std::string transferEncoding;
    std::string location;                // the last "location" value, empty when none
    std::vector<std::string> challenges; // WWW- and Proxy-Authenticate values
    std::vector<std::string> lines;      // every header line after the first
    bool closeConnection = false;
};

// Reads one HTTP answer from the bytes received, in whatever pieces they come,
// and appends its body to `body`.
class HttpAnswerParser final
{
public:
    // `closeByDefault`: the connection is to be closed after the answer unless
    // the answer says "keep-alive" (true for a 1.0 request).
    HttpAnswerParser(std::string& body, const AnswerLimits& limits, bool closeByDefault);

    // Takes received bytes. Bytes after the end of the answer are ignored.
    void feed(std::string_view bytes);
    // The connection has closed: the answer ends here, whole or not.
    void finishAtClose();

    bool wantsMore() const { return m_state != State::Done && m_state != State::Failed; }
    bool complete() const { return m_state == State::Done; }
    AnswerError error() const { return m_error; }
    bool receivedAnything() const { return m_receivedAnything; }
    const AnswerHead& head() const { return m_head; }
    std::size_t bodyBytes() const { return m_bodyBytes; }

private:
    enum class State
    {
        FirstLine,
        HeaderLines,
        BodyWithLength,
        BodyToClose,
        ChunkSize,
        ChunkData,
        ChunkDataEnd,
        Trailer,
        Done,
        Failed,
    };

    bool takeLine(std::string_view& bytes, std::string& line);
    void feedFirstLine(std::string_view& bytes);
    void onStatusLine(std::string_view line);
    void onHeaderLine(std::string_view line);
    void onHeadEnd();
    void onChunkSize(std::string_view line);
    void appendBody(std::string_view bytes);
    void fail(AnswerError error);

    std::string& m_body;
    AnswerLimits m_limits;
    bool m_closeByDefault;
    State m_state = State::FirstLine;
    AnswerError m_error = AnswerError::None;
    AnswerHead m_head;
    std::string m_line; // the line being collected
    int m_lineCount = 0;
    bool m_receivedAnything = false;
    bool m_chunked = false;
    std::uint64_t m_remaining = 0; // of the body or of the current chunk
    std::size_t m_bodyBytes = 0;
};

} // namespace listorix
