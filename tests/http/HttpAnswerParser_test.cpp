#include "http/HttpAnswerParser.h"

#include <gtest/gtest.h>
#include <random>

namespace listorix {
namespace {

struct Parsed
{
    std::string body;
    AnswerHead head;
    AnswerError error = AnswerError::None;
    bool complete = false;
};

// Feeds `answer` in pieces of `piece` bytes (0: at once, with one cut at `cut`) and then closes.
Parsed parse(std::string_view answer, std::size_t piece, std::size_t cut = 0, AnswerLimits limits = {})
{
    Parsed out;
    HttpAnswerParser parser(out.body, limits, true);
    if (piece == 0) {
        parser.feed(answer.substr(0, cut));
        parser.feed(answer.substr(cut));
    } else {
        for (std::size_t i = 0; i < answer.size(); i += piece)
            parser.feed(answer.substr(i, piece));
    }
    if (parser.wantsMore())
        parser.finishAtClose();
    EXPECT_FALSE(parser.wantsMore());
    out.head = parser.head();
    out.error = parser.error();
    out.complete = parser.complete();
    return out;
}

TEST(HttpAnswerParser, givesTheSameAnswerHoweverTheBytesAreSplit)
{
    const std::string answers[] = {
        "HTTP/1.1 100 Continue\r\n\r\nHTTP/1.0 200 OK\r\nContent-Type: Text/CSV\r\n"
        "Transfer-Encoding: chunked\r\n\r\n5;x=y\r\nhello\r\n6\r\n world\r\n0\r\nT: 1\r\n\r\n",
        "HTTP/1.0 200 OK\nContent-Length: 11\n\nhello worldIGNORED",
        "<HTML>\r\nhello world",
    };
    for (const std::string& answer : answers) {
        SCOPED_TRACE(answer);
        const Parsed whole = parse(answer, 0, 0);
        ASSERT_TRUE(whole.complete);
        EXPECT_EQ(whole.body.substr(whole.body.size() - 11), "hello world");
        for (std::size_t cut = 1; cut < answer.size(); ++cut) {
            const Parsed split = parse(answer, 0, cut);
            EXPECT_EQ(split.body, whole.body) << "cut at " << cut;
            EXPECT_EQ(split.head.statusCode, whole.head.statusCode) << "cut at " << cut;
        }
        const Parsed bytewise = parse(answer, 1);
        EXPECT_EQ(bytewise.body, whole.body);
        EXPECT_EQ(bytewise.head.lines, whole.head.lines);
    }
    const Parsed chunked = parse(answers[0], 1);
    EXPECT_EQ(chunked.head.statusCode, 200);
    EXPECT_EQ(chunked.head.version, "1.0");
    EXPECT_EQ(chunked.head.contentType, "text/csv");
    EXPECT_EQ(chunked.body, "hello world");
}

TEST(HttpAnswerParser, headerLineMustFitTheBufferWithItsLineEnd)
{
    AnswerLimits limits;
    limits.maxLineBytes = 64;
    const std::string fits = "X: " + std::string(64 - 5, 'a') + "\r\n";
    const std::string tooLong = "X: " + std::string(64 - 4, 'a') + "\r\n";
    const std::string bareLf = "X: " + std::string(64 - 4, 'a') + "\n";
    ASSERT_EQ(fits.size(), 64u);
    for (std::size_t piece : {std::size_t{0}, std::size_t{1}, std::size_t{7}}) {
        EXPECT_EQ(parse("HTTP/1.0 200 OK\r\n" + fits + "\r\nok", piece, 20, limits).body, "ok");
        EXPECT_EQ(parse("HTTP/1.0 200 OK\r\n" + tooLong + "\r\nok", piece, 20, limits).error,
                  AnswerError::HeaderTooLarge);
        EXPECT_EQ(parse("HTTP/1.0 200 OK\r\n" + bareLf + "\r\nok", piece, 20, limits).body, "ok");
        // A line that never ends must not grow without bound either.
        EXPECT_EQ(parse("HTTP/1.0 200 OK\r\n" + std::string(500, 'a'), piece, 20, limits).error,
                  AnswerError::HeaderTooLarge);
    }
}

TEST(HttpAnswerParser, survivesRandomAnswersWithinItsLimits)
{
    const std::string pieces[] = {
        "HTTP/1.0 200 OK\r\n",
        "HTTP/1.1 100 Continue\r\n",
        "HTTP/1.1 302 Found\r\n",
        "HTTP/1.0 20 X\r\n",
        "Content-Length: 5\r\n",
        "Content-Length: 7\r\n",
        "Content-Length: -1\r\n",
        "Content-Length: crap\r\n",
        "Content-Length: 99999999999999999999\r\n",
        "Transfer-Encoding: chunked\r\n",
        "Location: /x\r\n",
        "\r\n",
        "\n",
        "\r",
        "5\r\n",
        "hello",
        "0\r\n",
        "fffffffffffffffff\r\n",
        "3e8;a=b\r\n",
        "x\r\n",
        "<html>",
        std::string(300, 'a'),
        std::string("\0\xff", 2),
    };
    AnswerLimits limits;
    limits.maxLineBytes = 256;
    limits.maxHeaderLines = 8;
    limits.maxBodyBytes = 1000;
    std::mt19937 random(20240531);
    for (int round = 0; round < 3000; ++round) {
        std::string answer;
        const int count = std::uniform_int_distribution<int>(0, 14)(random);
        for (int i = 0; i < count; ++i)
            answer += pieces[std::uniform_int_distribution<std::size_t>(0, std::size(pieces) - 1)(random)];
        std::string body;
        HttpAnswerParser parser(body, limits, true);
        std::size_t at = 0;
        while (at < answer.size()) {
            const std::size_t take = std::uniform_int_distribution<std::size_t>(1, 40)(random);
            parser.feed(std::string_view(answer).substr(at, take));
            at += take;
        }
        parser.finishAtClose();
        ASSERT_FALSE(parser.wantsMore()) << answer;
        ASSERT_LE(body.size(), limits.maxBodyBytes) << answer;
        ASSERT_EQ(body.size(), parser.bodyBytes()) << answer;
        ASSERT_EQ(parser.complete(), parser.error() == AnswerError::None) << answer;
    }
}

} // namespace
} // namespace listorix
