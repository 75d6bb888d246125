// URLs and the Location values that lead on from them: every part lands where it
// belongs, and nothing a server writes into a Location can end or split the
// request line the client sends next.

#include "FuzzCheck.h"
#include "http/HttpUrl.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

bool startsAPath(const std::string& path)
{
    return !path.empty() && (path.front() == '/' || path.front() == '?');
}

// Text that may stand in a request line or a Host line as it is.
bool lineSafe(std::string_view text)
{
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte <= 0x20 || byte == 0x7F)
            return false;
    }
    return true;
}

bool hasControl(std::string_view text)
{
    // Blanks and tabs at the ends are dropped before anything is judged.
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F)
            return true;
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    listorix::fuzz::InputSplitter input(data, size);
    const std::string_view text = input.takeText();
    const std::string_view location = input.rest();

    const listorix::HttpUrl url = listorix::parseHttpUrl(text);
    FUZZ_CHECK(startsAPath(url.path));
    FUZZ_CHECK(url.protocol.find("://") == std::string::npos);
    FUZZ_CHECK(url.host.find_first_of("/?@") == std::string::npos);
    FUZZ_CHECK(url.port.find_first_of("/?@") == std::string::npos);
    FUZZ_CHECK(!url.portOr("80").empty());
    // Without credentials, and with a host no ":" makes ambiguous, the absolute
    // form splits into the same parts.
    if (url.username.empty() && url.password.empty() && url.host.find(':') == std::string::npos) {
        const listorix::HttpUrl again = listorix::parseHttpUrl(url.absolute());
        FUZZ_CHECK(again.protocol == url.protocol && again.host == url.host && again.port == url.port &&
                   again.path == url.path);
    }

    const std::optional<listorix::HttpUrl> next = listorix::resolveLocation(url, location);
    FUZZ_CHECK(next.has_value() == !hasControl(location));
    if (!next)
        return 0;
    FUZZ_CHECK(startsAPath(next->path));
    // From a URL that was clean, what the Location leads to is clean too.
    if (lineSafe(url.absolute())) {
        FUZZ_CHECK(lineSafe(next->path));
        FUZZ_CHECK(lineSafe(next->absolute()) || next->host.empty());
    }
    return 0;
}
