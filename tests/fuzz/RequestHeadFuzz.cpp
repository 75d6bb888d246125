// The demo quote service's request heads: a head is refused with a known status
// or parsed into parts that agree with its target, and it is judged the same
// whether it arrives whole or in pieces cut anywhere (a CR and its LF in two
// reads included).

#include "FuzzCheck.h"
#include "quoted/HttpRequest.h"

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <string>

namespace {

using namespace listorix::quoted;

// What the service makes of the bytes of one connection: 0 for a head still
// incomplete at the end, the status that refuses it, or 200 for a parsed head.
struct Judgement
{
    int status = 0;
    std::string target;
    bool operator==(const Judgement&) const = default;
};

Judgement judge(std::string_view bytes, const RequestLimits& limits, unsigned pattern)
{
    std::string received;
    for (unsigned step = 0; !bytes.empty(); ++step) {
        const std::size_t piece = pattern == 0 ? bytes.size() : 1 + (pattern * (step + 3)) % 19;
        received.append(bytes.substr(0, piece));
        bytes.remove_prefix(std::min(piece, bytes.size()));

        const std::size_t end = findHeadEnd(received);
        if (end == std::string::npos) {
            const int status = checkPartialHead(received, limits);
            FUZZ_CHECK(status == 0 || status == 400 || status == 414 || status == 431);
            if (status != 0)
                return {status, {}};
            continue;
        }
        FUZZ_CHECK(end > 0 && end <= received.size() && received[end - 1] == '\n');
        const ParsedHead parsed = parseRequestHead(std::string_view(received).substr(0, end), limits);
        if (!parsed.request) {
            const int status = parsed.errorStatus;
            FUZZ_CHECK(status == 400 || status == 414 || status == 431 || status == 505);
            FUZZ_CHECK(!parsed.errorText.empty());
            return {status, {}};
        }
        const HttpRequest& request = *parsed.request;
        FUZZ_CHECK(parsed.errorStatus == 0);
        FUZZ_CHECK(request.version == "HTTP/1.0" || request.version == "HTTP/1.1");
        FUZZ_CHECK(!request.method.empty());
        FUZZ_CHECK(request.path.starts_with('/'));
        FUZZ_CHECK(request.path.find_first_of("?#") == std::string::npos);
        FUZZ_CHECK(request.query.find('#') == std::string::npos);
        FUZZ_CHECK(request.target.find(request.query) != std::string::npos);
        FUZZ_CHECK(request.absoluteForm == !request.target.starts_with('/'));
        for (const auto& [name, value] : request.headers) {
            FUZZ_CHECK(!name.empty());
            FUZZ_CHECK(std::none_of(name.begin(), name.end(), [](char c) { return std::isupper(c) != 0; }));
            FUZZ_CHECK(request.header(name) != nullptr);
        }
        return {200, request.target};
    }
    return {};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    listorix::fuzz::InputSplitter input(data, size);
    const unsigned char steer = input.takeByte();
    const unsigned pattern = input.takeByte() | 1u;
    const std::string_view bytes = input.rest();

    // Tight bounds reach every refusal with short inputs; the service's own too.
    const RequestLimits limits = steer & 1 ? RequestLimits{40, 30, 200, 4} : RequestLimits{};
    const Judgement whole = judge(bytes, limits, 0);
    const Judgement pieces = judge(bytes, limits, pattern);
    FUZZ_CHECK(whole == pieces);
    return 0;
}
