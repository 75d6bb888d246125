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
        RequestReader reader;
        ASSERT_EQ(reader.add(c.head), RequestReader::State::Complete) << c.head;
        const ParsedHead parsed = reader.result();
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

// A reader fed the bytes in the given pieces: its final state and status.
std::pair<RequestReader::State, int> readInPieces(std::string_view head, const std::vector<std::size_t>& cuts,
                                                  const RequestLimits& limits)
{
    RequestReader reader(limits);
    std::size_t from = 0;
    for (std::size_t cut : cuts) {
        reader.add(head.substr(from, cut - from));
        from = cut;
    }
    reader.add(head.substr(from));
    return {reader.state(), reader.result().errorStatus};
}

TEST(RequestReader, partialHeadsWaitAndAreRefusedOnceTheyExceedALimit)
{
    RequestLimits limits;
    limits.maxRequestLine = 64;
    limits.maxHeaderLine = 40;
    limits.maxHeadBytes = 200;
    struct Case
    {
        std::string received;
        RequestReader::State state;
        int status;
    };
    std::string many = "GET / HTTP/1.0\r\n";
    while (many.size() <= 200)
        many += "A: 1\r\n";
    using State = RequestReader::State;
    const Case cases[] = {
        {"GET / HTTP/1.0\r\nA: 1\r\n", State::Reading, 0},
        {"\r\n\r\n", State::Reading, 0}, // empty lines only: still waiting for a request
        {"GET /" + std::string(100, 'x'), State::Refused, 414},
        {"GET / HTTP/1.0\r\nX: " + std::string(60, 'x'), State::Refused, 431},
        {many, State::Refused, 431},
        {std::string(70, '\n'), State::Refused, 400}, // empty lines past a request line's length
    };
    for (const Case& c : cases) {
        RequestReader reader(limits);
        EXPECT_EQ(reader.add(c.received), c.state) << c.received;
        EXPECT_EQ(reader.result().errorStatus, c.status) << c.received;
    }
    RequestReader blank;
    blank.add("\r\n\n\r");
    EXPECT_FALSE(blank.requestBegun()); // a client that leaves now made no request
    blank.add("G");
    EXPECT_TRUE(blank.requestBegun());
}

// Lines at their limits, and one byte past them, give one verdict however the bytes
// arrive: whole, one by one, or cut in two anywhere (a CR in one read, its LF in the next).
TEST(RequestReader, theVerdictDoesNotDependOnHowTheBytesWereSplit)
{
    RequestLimits limits;
    limits.maxRequestLine = 24;
    limits.maxHeaderLine = 12;
    limits.maxHeaderCount = 2;
    limits.maxHeadBytes = 80;
    const std::string atLimit = "GET /" + std::string(10, 'x') + " HTTP/1.0"; // 24 bytes
    const std::string heads[] = {
        atLimit + "\r\n\r\n",
        atLimit + "\n\n",
        "GET /" + std::string(11, 'x') + " HTTP/1.0\r\n\r\n",
        "GET / HTTP/1.0\r\nX: " + std::string(9, 'y') + "\r\n\r\n",  // header at its limit
        "GET / HTTP/1.0\r\nX: " + std::string(10, 'y') + "\r\n\r\n", // one past it
        "GET / HTTP/1.0\r\nX: 1\r\nY: 2\r\nZ: 3\r\n\r\n",
        "\r\n\r\n" + atLimit + "\r\nA: 1\r\n\r\n",
        atLimit + "\r\nA: " + std::string(9, 'a') + "\r\nB: " + std::string(9, 'b') + "\r\n\r\n",
    };
    for (const std::string& head : heads) {
        const auto whole = readInPieces(head, {}, limits);
        std::vector<std::size_t> everyByte;
        for (std::size_t i = 1; i < head.size(); ++i) {
            everyByte.push_back(i);
            EXPECT_EQ(readInPieces(head, {i}, limits), whole) << head << " cut at " << i;
        }
        EXPECT_EQ(readInPieces(head, everyByte, limits), whole) << head;
    }
    EXPECT_EQ(readInPieces(heads[0], {atLimit.size() + 1}, limits).first, RequestReader::State::Complete);
    EXPECT_EQ(readInPieces(heads[3], {heads[3].size() - 3}, limits).first, RequestReader::State::Complete);
}

// Each byte is looked at once: a megabyte of empty lines, fed a byte at a time, is
// waited through (with limits that allow it) and refused at once with the usual ones.
TEST(RequestReader, emptyLinesCostOneLookPerByte)
{
    RequestLimits roomy;
    roomy.maxRequestLine = 4u << 20;
    roomy.maxHeadBytes = 8u << 20;
    RequestReader reader(roomy);
    for (int i = 0; i < (1 << 19); ++i)
        ASSERT_EQ(reader.add("\r\n"), RequestReader::State::Reading);
    EXPECT_EQ(reader.add("GET /x HTTP/1.0\r\n\r\n"), RequestReader::State::Complete);
    EXPECT_EQ(reader.result().request->path, "/x");

    RequestReader usual;
    std::size_t fed = 1;
    while (usual.add("\n") == RequestReader::State::Reading && fed < (1u << 20))
        ++fed;
    EXPECT_EQ(usual.result().errorStatus, 400);
    EXPECT_EQ(fed, RequestLimits{}.maxRequestLine + 1);
}

// A body is read to the length Content-Length announces, however it arrives; a request
// whose body cannot be read that way is refused.
TEST(RequestReader, aBodyIsReadToTheAnnouncedLength)
{
    const std::string post = "POST /p HTTP/1.1\r\nContent-Type: application/json\r\n";
    struct Case
    {
        std::string request;
        int status; // 0: complete
        std::string body;
    };
    const Case cases[] = {
        {post + "Content-Length: 7\r\n\r\n{\"a\":1}", 0, "{\"a\":1}"},
        {post + "Content-Length: 2\r\n\r\nokEXTRA", 0, "ok"}, // what follows is not the body
        {post + "Content-Length: 0\r\n\r\n", 0, ""},
        {"GET /g HTTP/1.0\r\n\r\n", 0, ""},
        {post + "Content-Length: 3\r\ncontent-length: 3\r\n\r\nabc", 0, "abc"},
        {post + "\r\n{}", 411, ""},
        {post + "Content-Length: 1e3\r\n\r\n", 400, ""},
        {post + "Content-Length: -1\r\n\r\n", 400, ""},
        {post + "Content-Length: 2\r\nContent-Length: 3\r\n\r\nabc", 400, ""},
        {post + "Content-Length: 65537\r\n\r\n", 413, ""},
        {post + "Content-Length: 123456789012\r\n\r\n", 413, ""},
        {post + "Transfer-Encoding: chunked\r\n\r\n2\r\nab\r\n0\r\n\r\n", 501, ""},
    };
    for (const Case& c : cases) {
        for (const std::size_t piece : {c.request.size(), std::size_t{1}}) {
            RequestReader reader;
            for (std::size_t from = 0; from < c.request.size(); from += piece)
                reader.add(std::string_view(c.request).substr(from, piece));
            EXPECT_EQ(reader.result().errorStatus, c.status) << c.request;
            if (c.status == 0) {
                ASSERT_EQ(reader.state(), RequestReader::State::Complete) << c.request;
                EXPECT_EQ(reader.result().request->body, c.body);
            }
        }
    }
    RequestReader waiting;
    EXPECT_EQ(waiting.add(post + "Content-Length: 5\r\n\r\nabcd"), RequestReader::State::Reading);
    EXPECT_EQ(waiting.add("e"), RequestReader::State::Complete);
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
