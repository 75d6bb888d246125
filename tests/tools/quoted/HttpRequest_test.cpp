#include "base/PercentEncoding.h"
#include "quoted/HttpRequest.h"
#include "quoted/QueryString.h"

#include <gtest/gtest.h>

namespace listorix::quoted {
namespace {

TEST(HttpRequest, originAndAbsoluteFormTargetsGiveTheSamePathAndQuery)
{
    struct Case
    {
        std::string head;
        std::string path;
        std::string query;
        bool absolute;
    };
    const Case cases[] = {
        {"GET /d/quotes.csv?s=^MIBTEL+^MIB30&f=sl1d1t1c1hgp&e=.csv HTTP/1.0\r\n\r\n", "/d/quotes.csv",
         "s=^MIBTEL+^MIB30&f=sl1d1t1c1hgp&e=.csv", false},
        {"GET http://quotes.example:8080/d/quotes.csv?s=ENI.MI HTTP/1.0\r\nHost: quotes.example:8080\r\n\r\n",
         "/d/quotes.csv", "s=ENI.MI", true},
        {"GET HTTP://quotes.example?s=1 HTTP/1.1\r\n\r\n", "/", "s=1", true},
        {"GET http://quotes.example HTTP/1.0\r\n\r\n", "/", "", true},
        {"GET /q/bc?s=ENI.MI&t=1d#top HTTP/1.0\n\n", "/q/bc", "s=ENI.MI&t=1d", false}, // bare LF line ends
        {"\r\nGET /x HTTP/1.0\r\n\r\n", "/x", "", false}, // a stray empty line first
    };
    for (const Case& c : cases) {
        ASSERT_EQ(findHeadEnd(c.head), c.head.size()) << c.head;
        const ParsedHead parsed = parseRequestHead(c.head, {});
        ASSERT_TRUE(parsed.request) << c.head << parsed.errorText;
        EXPECT_EQ(parsed.request->method, "GET");
        EXPECT_EQ(parsed.request->path, c.path) << c.head;
        EXPECT_EQ(parsed.request->query, c.query) << c.head;
        EXPECT_EQ(parsed.request->absoluteForm, c.absolute) << c.head;
    }
}

TEST(HttpRequest, headersAreKeptWithLowerCaseNames)
{
    const ParsedHead parsed =
        parseRequestHead("GET / HTTP/1.0\r\nAccept: */*\r\nProxy-Authorization:   Basic "
                         "dTpw  \r\nUser-Agent: Mozilla/4.0 (compatible; Listorix)\r\n\r\n",
                         {});
    ASSERT_TRUE(parsed.request);
    ASSERT_NE(parsed.request->header("proxy-authorization"), nullptr);
    EXPECT_EQ(*parsed.request->header("proxy-authorization"), "Basic dTpw");
    EXPECT_EQ(*parsed.request->header("user-agent"), "Mozilla/4.0 (compatible; Listorix)");
    EXPECT_EQ(parsed.request->header("host"), nullptr);
}

TEST(HttpRequest, malformedOrOversizedHeadsAreRefusedWithTheirStatus)
{
    RequestLimits limits;
    limits.maxRequestLine = 64;
    limits.maxHeaderLine = 40;
    limits.maxHeaderCount = 3;
    limits.maxHeadBytes = 200;
    struct Case
    {
        std::string head;
        int status;
    };
    const Case cases[] = {
        {"GET /\r\n\r\n", 400}, // no version
        {"GET / HTTP/1.0 extra\r\n\r\n", 400},
        {"GET  / HTTP/1.0\r\n\r\n", 400}, // two blanks
        {"GET / HTTP/2.0\r\n\r\n", 505},
        {"GET / HTTQ/1.0\r\n\r\n", 400},
        {"G(T / HTTP/1.0\r\n\r\n", 400},
        {"GET ftp://host/x HTTP/1.0\r\n\r\n", 400},
        {"GET http:///x HTTP/1.0\r\n\r\n", 400}, // no host
        {"GET * HTTP/1.0\r\n\r\n", 400},
        {std::string("GET /a\0b HTTP/1.0\r\n\r\n", 21), 400},
        {"GET /\x01 HTTP/1.0\r\n\r\n", 400},
        {"GET / HTTP/1.0\r\nNoColon\r\n\r\n", 400},
        {"GET / HTTP/1.0\r\n: empty name\r\n\r\n", 400},
        {"GET / HTTP/1.0\r\nA: 1\r\n folded\r\n\r\n", 400},
        {"GET /" + std::string(70, 'x') + " HTTP/1.0\r\n\r\n", 414},
        {"GET / HTTP/1.0\r\nX: " + std::string(50, 'x') + "\r\n\r\n", 431},
        {"GET / HTTP/1.0\r\nA: 1\r\nB: 2\r\nC: 3\r\nD: 4\r\n\r\n", 431},
    };
    for (const Case& c : cases) {
        const ParsedHead parsed = parseRequestHead(c.head, limits);
        EXPECT_FALSE(parsed.request) << c.head;
        EXPECT_EQ(parsed.errorStatus, c.status) << c.head;
    }
}

TEST(HttpRequest, partialHeadsAreRefusedAsSoonAsTheyExceedALimit)
{
    RequestLimits limits;
    limits.maxRequestLine = 64;
    limits.maxHeaderLine = 40;
    limits.maxHeadBytes = 200;
    EXPECT_EQ(findHeadEnd("GET / HTTP/1.0\r\nA: 1\r\n"), std::string_view::npos);
    EXPECT_EQ(findHeadEnd("\r\n\r\n"), std::string_view::npos); // empty lines only: still waiting
    EXPECT_EQ(checkPartialHead("GET / HTTP/1.0\r\nA: 1\r\n", limits), 0);
    EXPECT_EQ(checkPartialHead("GET /" + std::string(100, 'x'), limits), 414);
    EXPECT_EQ(checkPartialHead("GET / HTTP/1.0\r\nX: " + std::string(60, 'x'), limits), 431);
    std::string many = "GET / HTTP/1.0\r\n";
    while (many.size() <= 200)
        many += "A: 1\r\n";
    EXPECT_EQ(checkPartialHead(many, limits), 431);
}

TEST(QueryString, symbolsSplitAtPlusAndAreDecodedOneByOne)
{
    const auto pairs = splitQuery("s=%5EMIBTEL+ENI.MI++A%2BB&f=sl1&&e=.csv&flag");
    ASSERT_EQ(pairs.size(), 4u);
    EXPECT_EQ(queryValue(pairs, "s"), "%5EMIBTEL+ENI.MI++A%2BB");
    EXPECT_EQ(queryValue(pairs, "flag"), "");
    EXPECT_FALSE(queryValue(pairs, "t"));
    EXPECT_EQ(splitSymbols(*queryValue(pairs, "s")),
              (std::vector<std::string>{"^MIBTEL", "ENI.MI", "", "A+B"}));
    EXPECT_EQ(percentDecode("%zz%4"), "%zz%4");
    EXPECT_EQ(percentDecode("%41%62c"), "Abc");
    EXPECT_EQ(percentEncode("^MIBTEL a&b"), "%5EMIBTEL%20a%26b");
}

} // namespace
} // namespace listorix::quoted
