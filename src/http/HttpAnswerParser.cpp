#include "http/HttpAnswerParser.h"

#include "base/CaseFold.h"
#include "base/Digits.h"
#include "base/HexDigit.h"
#include "base/Trim.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace listorix {

namespace {

bool isChunkedEncoding(std::string_view value)
{
    const auto comma = value.rfind(',');
    const auto last = comma == std::string_view::npos ? value : value.substr(comma + 1);
    return equalsIgnoringAsciiCase(trimSpacesAndTabs(last), "chunked");
}

void dropLineEnd(std::string& line)
{
    if (!line.empty() && line.back() == '\n')
        line.pop_back();
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
}

constexpr std::uint64_t kMaxChunkSize = std::uint64_t{1} << 56;

} // namespace

HttpAnswerParser::HttpAnswerParser(std::string& body, const AnswerLimits& limits, bool closeByDefault)
    : m_body(body), m_limits(limits), m_closeByDefault(closeByDefault)
{
    m_head.closeConnection = closeByDefault;
}

void HttpAnswerParser::fail(AnswerError error)
{
    m_error = error;
    m_state = State::Failed;
}

bool HttpAnswerParser::takeLine(std::string_view& bytes, std::string& line)
{
    const auto lf = bytes.find('\n');
    const std::size_t take = lf == std::string_view::npos ? bytes.size() : lf + 1;
    // The line, its line end included, must fit in the buffer.
    if (m_line.size() + take + (lf == std::string_view::npos ? 1 : 0) > m_limits.maxLineBytes) {
        fail(AnswerError::HeaderTooLarge);
        return false;
    }
    m_line.append(bytes.substr(0, take));
    bytes.remove_prefix(take);
    if (lf == std::string_view::npos)
        return false;
    line = std::move(m_line);
    m_line.clear();
    dropLineEnd(line);
    return true;
}

void HttpAnswerParser::feedFirstLine(std::string_view& bytes)
{
    // A document that begins with "<html>" has no head: it is the body, to the close.
    constexpr std::string_view kMarkup = "<html>";
    const auto lf = bytes.find('\n');
    const std::size_t lineBytes = lf == std::string_view::npos ? bytes.size() : lf + 1;
    std::string probe = m_line.substr(0, kMarkup.size());
    probe.append(bytes.substr(0, std::min(lineBytes, kMarkup.size() - probe.size())));
    if (equalsIgnoringAsciiCase(probe, kMarkup)) {
        m_head.contentType = "text/html";
        m_state = State::BodyToClose;
        const std::string start = std::move(m_line);
        m_line.clear();
        appendBody(start);
        return;
    }
    std::string line;
    if (takeLine(bytes, line))
        onStatusLine(line);
}

void HttpAnswerParser::onStatusLine(std::string_view line)
{
    if (line.empty()) {
        onHeadEnd();
        return;
    }
    if (++m_lineCount > m_limits.maxHeaderLines) {
        fail(AnswerError::HeaderTooLarge);
        return;
    }
    m_state = State::HeaderLines;
    const bool known = line.starts_with("HTTP/1.0") || line.starts_with("HTTP/1.1");
    const bool threeDigits = line.size() >= 12 && isAsciiDigit(line[9]) && isAsciiDigit(line[10]) &&
                             isAsciiDigit(line[11]) && (line.size() == 12 || line[12] == ' ');
    if (!known || !threeDigits)
        return;
    m_head.hasStatusLine = true;
    m_head.version = std::string(line.substr(5, 3));
    m_head.statusCode = (line[9] - '0') * 100 + (line[10] - '0') * 10 + (line[11] - '0');
    m_head.reasonPhrase = line.size() > 13 ? std::string(line.substr(13)) : std::string();
}

void HttpAnswerParser::onHeaderLine(std::string_view line)
{
    if (++m_lineCount > m_limits.maxHeaderLines) {
        fail(AnswerError::HeaderTooLarge);
        return;
    }
    m_head.lines.emplace_back(line);
    const auto colon = line.find(':');
    if (colon == std::string_view::npos)
        return;
    const std::string name = asciiLower(line.substr(0, colon));
    std::string_view value = line.substr(colon + 1);
    while (!value.empty() && (value.front() == ' ' || value.front() == '\t'))
        value.remove_prefix(1);
    if (name == "location") {
        m_head.location = std::string(value);
    } else if (name == "content-length") {
        std::string_view number = trimSpacesAndTabs(value);
        const bool negative = !number.empty() && number.front() == '-';
        if (negative)
            number.remove_prefix(1);
        if (number.empty() || !std::all_of(number.begin(), number.end(), isAsciiDigit))
            return; // not a number: no length
        std::int64_t length = 0;
        const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), length);
        if (negative || ec != std::errc() || end != number.data() + number.size() ||
            (m_head.contentLength >= 0 && m_head.contentLength != length)) {
            fail(AnswerError::BadContentLength);
            return;
        }
        m_head.contentLength = length;
    } else if (name == "transfer-encoding") {
        m_head.transferEncoding = std::string(value);
        m_chunked = isChunkedEncoding(value);
    } else if (name == "content-type") {
        m_head.contentType = asciiLower(value);
    } else if (name == "www-authenticate" || name == "proxy-authenticate") {
        m_head.challenges.emplace_back(value);
    } else if (name == "connection" || name == "proxy-connection") {
        if (equalsIgnoringAsciiCase(trimSpacesAndTabs(value), "close"))
            m_head.closeConnection = true;
        else if (equalsIgnoringAsciiCase(trimSpacesAndTabs(value), "keep-alive"))
            m_head.closeConnection = false;
    }
}

void HttpAnswerParser::onHeadEnd()
{
    const int status = m_head.statusCode;
    if (m_head.hasStatusLine && status == 100 && m_head.version == "1.1") {
        // An interim answer: the real one follows.
        m_head = AnswerHead{};
        m_head.closeConnection = m_closeByDefault;
        m_chunked = false;
        m_state = State::FirstLine;
        return;
    }
    const std::int64_t length = m_head.contentLength;
    if (m_chunked) {
        m_state = State::ChunkSize;
    } else if (length == 0 || (length < 0 && (status < 200 || status == 204 || status == 301 ||
                                              status == 302 || status == 304))) {
        m_state = State::Done;
    } else if (length > 0) {
        if (static_cast<std::uint64_t>(length) > m_limits.maxBodyBytes) {
            fail(AnswerError::BodyTooLarge);
            return;
        }
        m_remaining = static_cast<std::uint64_t>(length);
        m_body.reserve(m_body.size() + std::min<std::size_t>(m_remaining, 16u * 1024 * 1024));
        m_state = State::BodyWithLength;
    } else {
        m_state = State::BodyToClose;
    }
}

void HttpAnswerParser::onChunkSize(std::string_view line)
{
    std::uint64_t size = 0;
    std::size_t digits = 0;
    for (; digits < line.size() && hexDigitValue(line[digits]) >= 0; ++digits) {
        size = size * 16 + static_cast<std::uint64_t>(hexDigitValue(line[digits]));
        if (size > kMaxChunkSize) {
            fail(AnswerError::BadChunk);
            return;
        }
    }
    const bool endsWell =
        digits == line.size() || line[digits] == ';' || line[digits] == ' ' || line[digits] == '\t';
    if (digits == 0 || !endsWell) {
        fail(AnswerError::BadChunk);
        return;
    }
    if (size == 0) {
        m_state = State::Trailer;
        return;
    }
    if (size > m_limits.maxBodyBytes - std::min(m_bodyBytes, m_limits.maxBodyBytes)) {
        fail(AnswerError::BodyTooLarge);
        return;
    }
    m_remaining = size;
    m_state = State::ChunkData;
}

void HttpAnswerParser::appendBody(std::string_view bytes)
{
    if (bytes.size() > m_limits.maxBodyBytes - m_bodyBytes) {
        fail(AnswerError::BodyTooLarge);
        return;
    }
    m_body.append(bytes);
    m_bodyBytes += bytes.size();
}

void HttpAnswerParser::feed(std::string_view bytes)
{
    if (!bytes.empty())
        m_receivedAnything = true;
    std::string line;
    while (!bytes.empty() && wantsMore()) {
        switch (m_state) {
        case State::FirstLine:
            feedFirstLine(bytes);
            break;
        case State::HeaderLines:
            if (takeLine(bytes, line)) {
                if (line.empty())
                    onHeadEnd();
                else
                    onHeaderLine(line);
            }
            break;
        case State::BodyWithLength:
        case State::ChunkData: {
            const std::size_t take =
                static_cast<std::size_t>(std::min<std::uint64_t>(m_remaining, bytes.size()));
            appendBody(bytes.substr(0, take));
            bytes.remove_prefix(take);
            m_remaining -= take;
            if (m_remaining == 0 && m_state != State::Failed)
                m_state = m_state == State::ChunkData ? State::ChunkDataEnd : State::Done;
            break;
        }
        case State::BodyToClose:
            appendBody(bytes);
            bytes = {};
            break;
        case State::ChunkSize:
            if (takeLine(bytes, line))
                onChunkSize(line);
            break;
        case State::ChunkDataEnd:
            if (takeLine(bytes, line))
                m_state = State::ChunkSize;
            break;
        case State::Trailer:
            if (takeLine(bytes, line)) {
                if (line.empty())
                    m_state = State::Done;
                else if (++m_lineCount > m_limits.maxHeaderLines)
                    fail(AnswerError::HeaderTooLarge);
            }
            break;
        case State::Done:
        case State::Failed:
            break;
        }
    }
}

void HttpAnswerParser::finishAtClose()
{
    switch (m_state) {
    case State::FirstLine:
    case State::HeaderLines:
        // An answer without a single byte is no answer; one cut inside its head is broken.
        if (m_receivedAnything)
            fail(AnswerError::Incomplete);
        else
            m_state = State::Done;
        break;
    case State::BodyToClose:
    case State::Trailer:
        m_state = State::Done;
        break;
    case State::BodyWithLength:
    case State::ChunkSize:
    case State::ChunkData:
    case State::ChunkDataEnd:
        fail(AnswerError::Incomplete);
        break;
    case State::Done:
    case State::Failed:
        break;
    }
}

} // namespace listorix
