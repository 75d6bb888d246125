// The demo quote service's requests: a request is refused with a known status or
// parsed into parts that agree with its target, and it is judged the same whether
// it arrives whole or in pieces cut anywhere (a CR and its LF in two reads
// included).

#include "FuzzCheck.h"
#include "quoted/HttpRequest.h"

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <string>

namespace {

using namespace listorix::quoted;

// What the service makes of the bytes of one connection: 0 for a request still
// incomplete at the end, the status that refuses it, or 200 for a parsed one.
struct Judgement
{
    int status = 0;
    std::string target;
    std::string body;
    bool operator==(const Judgement&) const = default;
};

Judgement judge(std::string_view bytes, const RequestLimits& limits, unsigned pattern)
{
    RequestReader reader(limits);
    for (unsigned step = 0; !bytes.empty() && reader.state() == RequestReader::State::Reading; ++step) {
        const std::size_t piece = pattern == 0 ? bytes.size() : 1 + (pattern * (step + 3)) % 19;
        reader.add(bytes.substr(0, piece));
        bytes.remove_prefix(std::min(piece, bytes.size()));
    }
    const ParsedHead& result = reader.result();
    switch (reader.state()) {
    case RequestReader::State::Reading:
        return {};
    case RequestReader::State::Refused: {
        const int status = result.errorStatus;
        FUZZ_CHECK(status == 400 || status == 411 || status == 413 || status == 414 || status == 431 ||
                   status == 501 || status == 505);
        FUZZ_CHECK(!result.errorText.empty());
        return {status, {}, {}};
    }
    case RequestReader::State::Complete:
        break;
    }
    FUZZ_CHECK(result.request.has_value());
    const HttpRequest& request = *result.request;
    FUZZ_CHECK(result.errorStatus == 0);
    FUZZ_CHECK(request.version == "HTTP/1.0" || request.version == "HTTP/1.1");
    FUZZ_CHECK(!request.method.empty());
    FUZZ_CHECK(request.path.starts_with('/'));
    FUZZ_CHECK(request.path.find_first_of("?#") == std::string::npos);
    FUZZ_CHECK(request.query.find('#') == std::string::npos);
    FUZZ_CHECK(request.target.find(request.query) != std::string::npos);
    FUZZ_CHECK(request.absoluteForm == !request.target.starts_with('/'));
    FUZZ_CHECK(request.body.size() <= limits.maxBodyBytes);
    for (const auto& [name, value] : request.headers) {
        FUZZ_CHECK(!name.empty());
        FUZZ_CHECK(std::none_of(name.begin(), name.end(), [](char c) { return std::isupper(c) != 0; }));
        FUZZ_CHECK(request.header(name) != nullptr);
    }
    return {200, request.target, request.body};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    listorix::fuzz::InputSplitter input(data, size);
    const unsigned char steer = input.takeByte();
    const unsigned pattern = input.takeByte() | 1u;
    const std::string_view bytes = input.rest();

    // Tight bounds reach every refusal with short inputs; the service's own too.
    const RequestLimits limits = steer & 1 ? RequestLimits{40, 30, 200, 4, 16} : RequestLimits{};
    const Judgement whole = judge(bytes, limits, 0);
    const Judgement pieces = judge(bytes, limits, pattern);
    FUZZ_CHECK(whole == pieces);
    return 0;
}
