// The HTTP client's answer parser: whatever the server sends, in whatever pieces
// it arrives, the parser ends in one judgement, the same as for the bytes in one
// piece, and keeps within its bounds.

#include "FuzzCheck.h"
#include "http/HttpAnswerParser.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

namespace {

using listorix::AnswerLimits;
using listorix::HttpAnswerParser;

struct Judgement
{
    bool complete = false;
    listorix::AnswerError error = listorix::AnswerError::None;
    listorix::AnswerHead head;
    std::string body;
};

// Feeds `bytes` in pieces whose sizes follow `pattern` (0: all at once), then
// the connection closes if the parser still waits.
Judgement judge(std::string_view bytes, const AnswerLimits& limits, bool closeByDefault, unsigned pattern)
{
    Judgement out;
    HttpAnswerParser parser(out.body, limits, closeByDefault);
    for (unsigned step = 0; !bytes.empty() && parser.wantsMore(); ++step) {
        const std::size_t piece = pattern == 0 ? bytes.size() : 1 + (pattern * (step + 7)) % 23;
        parser.feed(bytes.substr(0, piece));
        bytes.remove_prefix(std::min(piece, bytes.size()));
    }
    if (parser.wantsMore())
        parser.finishAtClose();
    FUZZ_CHECK(!parser.wantsMore());
    out.complete = parser.complete();
    out.error = parser.error();
    out.head = parser.head();
    FUZZ_CHECK(out.body.size() == parser.bodyBytes());
    return out;
}

bool sameHead(const listorix::AnswerHead& a, const listorix::AnswerHead& b)
{
    return a.hasStatusLine == b.hasStatusLine && a.statusCode == b.statusCode && a.version == b.version &&
           a.reasonPhrase == b.reasonPhrase && a.contentLength == b.contentLength &&
           a.contentType == b.contentType && a.transferEncoding == b.transferEncoding &&
           a.location == b.location && a.challenges == b.challenges && a.lines == b.lines &&
           a.closeConnection == b.closeConnection;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    listorix::fuzz::InputSplitter input(data, size);
    const unsigned char steer = input.takeByte();
    const unsigned pattern = input.takeByte() | 1u;
    const std::string_view bytes = input.rest();

    AnswerLimits limits;
    if (steer & 1) { // tight bounds, to reach them with short inputs
        limits.maxLineBytes = 64;
        limits.maxHeaderLines = 4;
    }
    limits.maxBodyBytes = steer & 2 ? 100 : 1u << 20;
    const bool closeByDefault = (steer & 4) != 0;

    const Judgement whole = judge(bytes, limits, closeByDefault, 0);
    const Judgement pieces = judge(bytes, limits, closeByDefault, pattern);
    FUZZ_CHECK(whole.complete == pieces.complete);
    FUZZ_CHECK(whole.error == pieces.error);
    FUZZ_CHECK(sameHead(whole.head, pieces.head));
    // A failed answer is dropped whole, so only a complete one's body must agree.
    FUZZ_CHECK(!whole.complete || whole.body == pieces.body);

    FUZZ_CHECK(whole.complete == (whole.error == listorix::AnswerError::None));
    FUZZ_CHECK(whole.body.size() <= limits.maxBodyBytes);
    FUZZ_CHECK(whole.head.lines.size() <= static_cast<std::size_t>(limits.maxHeaderLines));
    for (const std::string& line : whole.head.lines)
        FUZZ_CHECK(line.size() <= limits.maxLineBytes);
    // An announced length bounds the body unless the answer is chunked.
    if (whole.head.contentLength >= 0 && whole.head.transferEncoding.empty())
        FUZZ_CHECK(whole.body.size() <= static_cast<std::uint64_t>(whole.head.contentLength));
    return 0;
}
