#include "http/HttpUrl.h"

#include <gtest/gtest.h>
#include <optional>

namespace listorix {
namespace {

struct UrlCase
{
    const char* text;
    const char* protocol;
    const char* username;
    const char* password;
    const char* host;
    const char* port;
    const char* path;
};

TEST(HttpUrl, splitsEveryPartAndDefaultsTheMissingOnes)
{
    const UrlCase cases[] = {
        {"http://quote.example/d/quotes.csv?s=^MIBTEL+^MIB30&e=.csv", "http", "", "", "quote.example", "",
         "/d/quotes.csv?s=^MIBTEL+^MIB30&e=.csv"},
        {"quote.example", "http", "", "", "quote.example", "", "/"},
        {"http://u:p:w@h:81?q=/x", "http", "u", "p:w", "h", "81", "?q=/x"},
        {"http://a@b@h/", "http", "a@b", "", "h", "", "/"},
        {"proxy.lan:", "http", "", "", "proxy.lan", "", "/"},
        {"proxy.lan:3128", "http", "", "", "proxy.lan", "3128", "/"},
        {"ftp://h/f", "ftp", "", "", "h", "", "/f"},
        {"http://[::1]:8080/x", "http", "", "", "[::1]", "8080", "/x"},
        {"http://[::1]/x", "http", "", "", "[::1]", "", "/x"},
    };
    for (const UrlCase& c : cases) {
        SCOPED_TRACE(c.text);
        const HttpUrl url = parseHttpUrl(c.text);
        EXPECT_EQ(url.protocol, c.protocol);
        EXPECT_EQ(url.username, c.username);
        EXPECT_EQ(url.password, c.password);
        EXPECT_EQ(url.host, c.host);
        EXPECT_EQ(url.port, c.port);
        EXPECT_EQ(url.path, c.path);
    }
    EXPECT_EQ(parseHttpUrl("http://[::1]:81/").hostName(), "::1");
}

TEST(HttpUrl, hostLineNamesThePortOnlyWhenItIsNot80)
{
    EXPECT_EQ(parseHttpUrl("http://h/x").hostLine(), "h");
    EXPECT_EQ(parseHttpUrl("http://h:80/x").hostLine(), "h");
    EXPECT_EQ(parseHttpUrl("http://h:8080/x").hostLine(), "h:8080");
    // The absolute form keeps a port whenever the URL names one.
    EXPECT_EQ(parseHttpUrl("http://h:80/x?a").absolute(), "http://h:80/x?a");
    EXPECT_EQ(parseHttpUrl("h/x").absolute(), "http://h/x");
}

TEST(HttpUrl, locationIsResolvedAgainstTheCurrentUrl)
{
    const HttpUrl current = parseHttpUrl("http://h:81/a/b?x=1");
    const struct
    {
        const char* location;
        const char* expected;
    } cases[] = {
        {"http://other/p", "http://other/p"}, {"HTTPS://other:9/p", "HTTPS://other:9/p"},
        {"/z?q", "http://h:81/z?q"},          {"c/d", "http://h:81/a/c/d"},
        {"../x", "http://h:81/a/../x"},       {"", "http://h:81/a/"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.location);
        EXPECT_EQ(resolveLocation(current, c.location).value().absolute(), c.expected);
    }
    // The last "/" may lie in the query: the text after it is what is replaced.
    EXPECT_EQ(resolveLocation(parseHttpUrl("http://h/a?u=/v"), "c").value().path, "/a?u=/c");
}

TEST(HttpUrl, locationCannotEndOrSplitTheNextRequestLine)
{
    const HttpUrl current = parseHttpUrl("http://h/a/b");
    const struct
    {
        std::string_view location;
        std::optional<std::string> expected; // nothing: refused
    } cases[] = {
        {"/a b", "http://h/a%20b"},
        {"c d?q=1 2", "http://h/a/c%20d?q=1%202"},
        {"http://o/x y", "http://o/x%20y"},
        {" \t/x\t ", "http://h/x"},
        {"/next\rX-Injected: 1", std::nullopt},
        {"/next\nX-Injected: 1", std::nullopt},
        {std::string_view("/a\0b", 4), std::nullopt},
        {"/a\tb", std::nullopt},
        {"/a\x7f", std::nullopt},
        {"http://o\r\nX: 1/", std::nullopt},
        {"/caf\xe9", "http://h/caf\xe9"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::string(c.location)));
        const std::optional<HttpUrl> next = resolveLocation(current, c.location);
        EXPECT_EQ(next ? std::optional(next->absolute()) : std::nullopt, c.expected);
    }
}

} // namespace
} // namespace listorix
