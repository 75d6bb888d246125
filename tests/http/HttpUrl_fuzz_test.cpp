#include "http/HttpUrl.h"

#include <array>
#include <gtest/gtest.h>
#include <optional>
#include <random>
#include <string>
#include <string_view>

namespace listorix {
namespace {

bool startsAPath(const std::string& path)
{
    return !path.empty() && (path.front() == '/' || path.front() == '?');
}

// Random URLs and redirections: every part lands where it belongs, and the path
// of a URL, given or resolved, always starts a path.
TEST(HttpUrlFuzz, randomUrlsSplitIntoConsistentParts)
{
    constexpr unsigned kSeed = 1936;
    std::mt19937 random(kSeed);
    const std::array<std::string_view, 22> pieces = {
        "http", "HTTPS", "://", ":",    "/",  "?",    "@",
        "[",    "]",     "::1", "host", "80", "8080", "#",
        "a=b",  "&",     " ",   "%20",  ".",  "\xe9", std::string_view("\0", 1),
        "\r\n"};
    auto randomText = [&] {
        std::string text;
        for (int n = static_cast<int>(random() % 10); n > 0; --n)
            text += pieces[random() % pieces.size()];
        return text;
    };

    for (int i = 0; i < 5000; ++i) {
        SCOPED_TRACE(testing::Message() << "seed " << kSeed << ", iteration " << i);
        const std::string text = randomText();
        SCOPED_TRACE(text);
        const HttpUrl url = parseHttpUrl(text);
        EXPECT_TRUE(startsAPath(url.path)) << url.path;
        EXPECT_EQ(url.protocol.find("://"), std::string::npos);
        EXPECT_EQ(url.host.find_first_of("/?@"), std::string::npos) << url.host;
        EXPECT_EQ(url.port.find_first_of("/?@"), std::string::npos) << url.port;
        EXPECT_EQ(url.portOr("80").empty(), false);
        // Without credentials, and with a host that no ":" makes ambiguous, the
        // absolute form splits into the same parts.
        if (url.username.empty() && url.password.empty() && url.host.find(':') == std::string::npos) {
            const HttpUrl again = parseHttpUrl(url.absolute());
            EXPECT_EQ(again.protocol, url.protocol);
            EXPECT_EQ(again.host, url.host);
            EXPECT_EQ(again.port, url.port);
            EXPECT_EQ(again.path, url.path);
        }
        url.hostName();
        url.hostLine();

        const std::string location = randomText();
        const std::optional<HttpUrl> next = resolveLocation(url, location);
        const bool control = location.find_first_of(std::string_view("\0\r\n", 3)) != std::string::npos;
        EXPECT_EQ(next.has_value(), !control) << location;
        if (!next)
            continue;
        EXPECT_TRUE(startsAPath(next->path)) << location << " gives " << next->path;
        // Whatever the location adds to a clean URL keeps the request line whole.
        const std::string_view lineBreakers(" \r\n\0", 4);
        if (url.path.find_first_of(lineBreakers) == std::string::npos) {
            EXPECT_EQ(next->path.find_first_of(lineBreakers), std::string::npos) << next->path;
        }
        if (!location.starts_with("http://") && !location.starts_with("https://") &&
            !location.starts_with("HTTPS://")) {
            EXPECT_EQ(next->protocol, url.protocol) << location;
            EXPECT_EQ(next->host, url.host) << location;
            EXPECT_EQ(next->port, url.port) << location;
        }
    }
}

} // namespace
} // namespace listorix
