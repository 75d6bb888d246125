#include "ScriptedServer.h"
#include "http/CloseSignal.h"
#include "http/EHttpError.h"
#include "http/THttpClient.h"

#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <random>
#include <stdexcept>
#include <thread>

namespace listorix {
namespace {

using test::Exchange;
using test::ScriptedServer;
using namespace std::chrono_literals;

const std::string quotePath = "/d/quotes.csv?s=^MIBTEL+^MIB30&f=sl1d1t1c1ohgv&e=.csv";

// The request head the client sends, byte for byte.
std::string request(const std::string& target, const std::string& host, const std::string& extra = "",
                    const std::string& version = "1.0")
{
    return "GET " + target + " HTTP/" + version + "\r\n" +
           "Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*\r\n" +
           "User-Agent: Mozilla/4.0 (compatible; Listorix)\r\n" + "Host: " + host + "\r\n" + extra + "\r\n";
}

std::string replaceOrigin(std::string text, const std::string& origin)
{
    for (auto at = text.find("{origin}"); at != std::string::npos; at = text.find("{origin}", at))
        text.replace(at, 8, origin);
    return text;
}

struct Outcome
{
    std::string body;
    int status = 0;
    std::optional<std::string> error; // what() of the EHttpError, when Get raised
    int errorCode = 0;
};

Outcome fetch(THttpClient& client)
{
    Outcome out;
    client.setReceiveStream(&out.body);
    try {
        client.Get();
    } catch (const EHttpError& e) {
        out.error = e.what();
        out.errorCode = e.errorCode();
    }
    out.status = client.statusCode();
    return out;
}

struct Case
{
    const char* name;
    std::vector<Exchange> script;
    std::string path; // the URL is the server's origin with this path, unless setUp sets another
    std::vector<std::string> requests; // "{origin}" stands for the server's host and port
    std::string body;
    int status;
    std::string error; // empty: Get returns; else the start of the error text
    std::function<void(THttpClient&, const ScriptedServer&)> setUp = nullptr;
};

Exchange answer(std::string bytes, Exchange::End end = Exchange::End::Close)
{
    return {std::move(bytes), end};
}

std::string chunkedHead()
{
    return "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n";
}

void viaProxy(THttpClient& client, const ScriptedServer& server)
{
    client.setURL("http://quote.example" + quotePath);
    client.setProxy(server.origin());
}

std::vector<Case> exchanges()
{
    const std::string ok10 =
        "HTTP/1.0 200 OK\r\nContent-Type: text/csv\r\nContent-Length: 10\r\n\r\n0123456789";
    const std::string proxyChallenge =
        "HTTP/1.0 407 Proxy Authentication Required\r\nProxy-Authenticate: Basic "
        "realm=\"p\"\r\nContent-Length: 6\r\n\r\ndenied";
    const std::string proxyTarget = "http://quote.example" + quotePath;
    const std::string basic = "dXNlcjpwYXNz"; // user:pass
    const std::string redirectLoop = "HTTP/1.0 302 Found\r\nLocation: /loop\r\n\r\n";
    const std::string longLine = "X-Long: " + std::string(8190 - 10, 'a') + "\r\n";
    std::string hundredLines = "HTTP/1.0 200 OK\r\n";
    for (int i = 0; i < 99; ++i)
        hundredLines += "X-Line: " + std::to_string(i) + "\r\n";

    return {
        // The program's own requests.
        {"quoteRequestLineAndHostByteForByte",
         {answer(ok10)},
         quotePath,
         {request(quotePath, "{origin}")},
         "0123456789",
         200,
         ""},
        {"proxyGetsAbsoluteTargetAndHostHasNoPort",
         {answer(ok10)},
         "",
         {request(proxyTarget, "quote.example")},
         "0123456789",
         200,
         "",
         viaProxy},
        {"proxyWithEmptyPortFieldUsesProxyPort",
         {answer(ok10)},
         "",
         {request("http://quote.example:8080/x", "quote.example:8080")},
         "0123456789",
         200,
         "",
         [](THttpClient& c, const ScriptedServer& s) {
             c.setURL("http://quote.example:8080/x");
             c.setProxy("127.0.0.1:");
             c.setProxyPort(std::to_string(s.port()));
         }},
        {"notFoundRaisesItsReason",
         {answer("HTTP/1.0 404 Not Found\r\n\r\n<html>no</html>")},
         "/x",
         {request("/x", "{origin}")},
         "<html>no</html>",
         404,
         "Not Found"},
        {"proxyChallengeWithoutCredentialsReturnsTheErrorPage",
         {answer(proxyChallenge)},
         "",
         {request(proxyTarget, "quote.example")},
         "denied",
         407,
         "",
         viaProxy},
        {"proxyChallengeIsAnsweredOnceWithBasicCredentials",
         {answer(proxyChallenge), answer(ok10)},
         "",
         {request(proxyTarget, "quote.example"),
          request(proxyTarget, "quote.example", "Proxy-Authorization: Basic " + basic + "\r\n")},
         "0123456789",
         200,
         "",
         [](THttpClient& c, const ScriptedServer& s) {
             viaProxy(c, s);
             c.setProxyUsername("user");
             c.setProxyPassword("pass");
         }},
        {"secondProxyChallengeEndsTheRequest",
         {answer(proxyChallenge), answer(proxyChallenge)},
         "",
         {request(proxyTarget, "quote.example"),
          request(proxyTarget, "quote.example", "Proxy-Authorization: Basic " + basic + "\r\n")},
         "denied",
         407,
         "",
         [](THttpClient& c, const ScriptedServer& s) {
             viaProxy(c, s);
             c.setProxyUsername("user");
             c.setProxyPassword("pass");
         }},
        {"originChallengeIsAnsweredWithTheUrlsCredentials",
         {answer("HTTP/1.0 401 Unauthorized\r\nWWW-Authenticate: basic realm=\"r\"\r\n\r\n"), answer(ok10)},
         "",
         {request("/x", "{origin}"), request("/x", "{origin}", "Authorization: Basic " + basic + "\r\n")},
         "0123456789",
         200,
         "",
         [](THttpClient& c, const ScriptedServer& s) { c.setURL("http://user:pass@" + s.origin() + "/x"); }},
        {"originChallengeWithoutBasicEndsTheRequest",
         {answer("HTTP/1.0 401 Unauthorized\r\nWWW-Authenticate: Digest realm=\"r\"\r\n\r\nno")},
         "",
         {request("/x", "{origin}")},
         "no",
         401,
         "",
         [](THttpClient& c, const ScriptedServer& s) { c.setURL("http://user:pass@" + s.origin() + "/x"); }},
        {"relocationToAnAbsolutePathDropsTheRelocationBody",
         {answer("HTTP/1.0 302 Found\r\nLocation: /moved?a=1\r\nContent-Length: 5\r\n\r\ngone!"),
          answer(ok10)},
         "/start",
         {request("/start", "{origin}"), request("/moved?a=1", "{origin}")},
         "0123456789",
         200,
         ""},
        {"relativeRelocationReplacesTheLastSegment",
         {answer("HTTP/1.0 301 Moved\r\nLocation: c/d\r\n\r\n"), answer(ok10)},
         "/a/b",
         {request("/a/b", "{origin}"), request("/a/c/d", "{origin}")},
         "0123456789",
         200,
         ""},
        {"bodyWithoutLengthEndsAtClose",
         {answer("HTTP/1.0 200 OK\r\n\r\nline1\r\nline2\r\n")},
         "/",
         {request("/", "{origin}")},
         "line1\r\nline2\r\n",
         200,
         ""},
        {"markupFirstLineIsTakenWholeAsTheBody",
         {answer("<html>\r\n<body>x</body>\r\n")},
         "/",
         {request("/", "{origin}")},
         "<html>\r\n<body>x</body>\r\n",
         0,
         ""},
        {"chunkedBodyIsDecodedAndWinsOverContentLength",
         {answer("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\nContent-Length: 3\r\n\r\n"
                 "5;name=v\r\nhello\r\n6\r\n world\r\n0\r\nX-Trailer: 1\r\n\r\n")},
         "/",
         {request("/", "{origin}")},
         "hello world",
         200,
         ""},
        {"continueAnswerIsSkipped",
         {answer("HTTP/1.1 100 Continue\r\n\r\nHTTP/1.0 200 OK\r\nContent-Length: 2\r\n\r\nok")},
         "/",
         {request("/", "{origin}")},
         "ok",
         200,
         ""},
        {"contentLengthEndsTheBody",
         {answer("HTTP/1.0 200 OK\r\nContent-Length: 3\r\n\r\nabcdef")},
         "/",
         {request("/", "{origin}")},
         "abc",
         200,
         ""},
        {"emptyAnswerReturnsNothing", {answer("")}, "/", {request("/", "{origin}")}, "", 0, ""},
        {"statusCodeOfFourDigitsIsNoStatusLine",
         {answer("HTTP/1.0 2000 OK\r\nContent-Length: 2\r\n\r\nok")},
         "/",
         {request("/", "{origin}")},
         "ok",
         0,
         ""},
        {"sameContentLengthTwiceIsAccepted",
         {answer("HTTP/1.0 200 OK\r\nContent-Length: 2\r\nContent-Length: 2\r\n\r\nok")},
         "/",
         {request("/", "{origin}")},
         "ok",
         200,
         ""},
        {"contentLengthThatIsNoNumberCountsAsNone",
         {answer("HTTP/1.0 200 OK\r\nContent-Length: crap\r\n\r\nall of it")},
         "/",
         {request("/", "{origin}")},
         "all of it",
         200,
         ""},
        {"keptConnectionCarriesTheRelocatedRequest",
         {answer("HTTP/1.1 302 Found\r\nLocation: /b\r\nContent-Length: 0\r\n\r\n", Exchange::End::KeepOpen),
          answer("HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok")},
         "/a",
         {request("/a", "{origin}", "", "1.1"), request("/b", "{origin}", "", "1.1")},
         "ok",
         200,
         "",
         [](THttpClient& c, const ScriptedServer& s) {
             c.setURL(s.url("/a"));
             c.setRequestVer("1.1");
         }},
        {"droppedKeptConnectionIsAskedAgain",
         {answer("HTTP/1.1 302 Found\r\nLocation: /b\r\nContent-Length: 0\r\n\r\n", Exchange::End::KeepOpen),
          answer(""), answer("HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok")},
         "/a",
         {request("/a", "{origin}", "", "1.1"), request("/b", "{origin}", "", "1.1"),
          request("/b", "{origin}", "", "1.1")},
         "ok",
         200,
         "",
         [](THttpClient& c, const ScriptedServer& s) {
             c.setURL(s.url("/a"));
             c.setRequestVer("1.1");
         }},

        // Hostile servers.
        {"endlessRelocationStopsAfterTenFollowed", std::vector<Exchange>(11, answer(redirectLoop)), "/loop",
         std::vector<std::string>(11, request("/loop", "{origin}")), "", 302,
         "Troppi reindirizzamenti: http://"},
        {"relocationWithABlankSendsItEscaped",
         {answer("HTTP/1.0 302 Found\r\nLocation: /a b \r\n\r\n"), answer(ok10)},
         "/",
         {request("/", "{origin}"), request("/a%20b", "{origin}")},
         "0123456789",
         200,
         ""},
        // A relocation that would end or split the request line goes nowhere.
        {"relocationWithABareCrIsRefused",
         {answer("HTTP/1.0 302 Found\r\nLocation: /next\rX-Injected: 1\r\n\r\n"), answer(ok10)},
         "/",
         {request("/", "{origin}")},
         "",
         302,
         "Reindirizzamento non valido: http://"},
        {"relocationWithANulIsRefused",
         {answer(std::string("HTTP/1.0 301 Moved\r\nLocation: /a\0b\r\n\r\n", 38)), answer(ok10)},
         "/",
         {request("/", "{origin}")},
         "",
         301,
         "Reindirizzamento non valido: http://"},
        {"relocationWithATabInsideIsRefused",
         {answer("HTTP/1.0 302 Found\r\nLocation: /a\tHTTP/1.1\r\n\r\n"), answer(ok10)},
         "/",
         {request("/", "{origin}")},
         "",
         302,
         "Reindirizzamento non valido: http://"},
        {"relocationToHttpsIsNotImplemented",
         {answer("HTTP/1.0 302 Found\r\nLocation: https://127.0.0.1/x\r\n\r\n")},
         "/",
         {request("/", "{origin}")},
         "",
         501,
         "Protocol \"https\" not implemented"},
        {"headerLineFillingTheBufferFits",
         {answer("HTTP/1.0 200 OK\r\n" + longLine + "\r\nok")},
         "/",
         {request("/", "{origin}")},
         "ok",
         200,
         ""},
        {"headerLineBeyondTheBufferFails",
         {answer("HTTP/1.0 200 OK\r\nX" + longLine + "\r\nok")},
         "/",
         {request("/", "{origin}")},
         "",
         200,
         "Intestazione della risposta troppo grande: http://"},
        {"hundredHeaderLinesFit",
         {answer(hundredLines + "\r\nok")},
         "/",
         {request("/", "{origin}")},
         "ok",
         200,
         ""},
        {"moreThanHundredHeaderLinesFail",
         {answer(hundredLines + "X: 1\r\n\r\nok")},
         "/",
         {request("/", "{origin}")},
         "",
         200,
         "Intestazione della risposta troppo grande"},
        {"bodyShorterThanItsLengthIsIncomplete",
         {answer("HTTP/1.0 200 OK\r\nContent-Length: 100\r\n\r\n0123456789")},
         "/",
         {request("/", "{origin}")},
         "0123456789",
         200,
         "Risposta incompleta: http://"},
        {"headCutBeforeItsEndIsIncomplete",
         {answer("HTTP/1.0 200 OK\r\nContent-Ty")},
         "/",
         {request("/", "{origin}")},
         "",
         200,
         "Risposta incompleta"},
        {"negativeContentLengthFails",
         {answer("HTTP/1.0 200 OK\r\nContent-Length: -6\r\n\r\nabc")},
         "/",
         {request("/", "{origin}")},
         "",
         200,
         "Content-Length non valido"},
        {"overflowingContentLengthFails",
         {answer("HTTP/1.0 200 OK\r\nContent-Length: 99999999999999999999\r\n\r\nabc")},
         "/",
         {request("/", "{origin}")},
         "",
         200,
         "Content-Length non valido"},
        {"twoDifferentContentLengthsFail",
         {answer("HTTP/1.0 200 OK\r\nContent-Length: 3\r\nContent-Length: 4\r\n\r\nabcd")},
         "/",
         {request("/", "{origin}")},
         "",
         200,
         "Content-Length non valido"},
        {"overflowingChunkSizeFails",
         {answer(chunkedHead() + "fffffffffffffffff\r\nabc")},
         "/",
         {request("/", "{origin}")},
         "",
         200,
         "Blocco chunked non valido"},
        {"chunkSizeThatIsNoNumberFails",
         {answer(chunkedHead() + "x\r\nabc")},
         "/",
         {request("/", "{origin}")},
         "",
         200,
         "Blocco chunked non valido"},
        {"chunkSizeWithHexPrefixFails",
         {answer(chunkedHead() + "0x1f\r\nabc")},
         "/",
         {request("/", "{origin}")},
         "",
         200,
         "Blocco chunked non valido"},
        {"chunkedBodyCutBeforeItsLastChunkIsIncomplete",
         {answer(chunkedHead() + "5\r\nhello\r\n")},
         "/",
         {request("/", "{origin}")},
         "hello",
         200,
         "Risposta incompleta"},
        {"announcedBodyBeyondTheLimitFails",
         {answer("HTTP/1.0 200 OK\r\nContent-Length: 17\r\n\r\n")},
         "/",
         {request("/", "{origin}")},
         "",
         200,
         "Risposta troppo grande",
         [](THttpClient& c, const ScriptedServer& s) {
             c.setURL(s.url("/"));
             c.setMaxBodySize(16);
         }},
        {"bodyToCloseBeyondTheLimitFails",
         {answer("HTTP/1.0 200 OK\r\n\r\n" + std::string(4000, 'z'))},
         "/",
         {request("/", "{origin}")},
         "",
         200,
         "Risposta troppo grande",
         [](THttpClient& c, const ScriptedServer& s) {
             c.setURL(s.url("/"));
             c.setMaxBodySize(1000);
         }},
        {"chunksBeyondTheLimitFail",
         {answer(chunkedHead() + "200\r\n" + std::string(512, 'z') + "\r\n200\r\n" + std::string(512, 'z'))},
         "/",
         {request("/", "{origin}")},
         std::string(512, 'z'),
         200,
         "Risposta troppo grande",
         [](THttpClient& c, const ScriptedServer& s) {
             c.setURL(s.url("/"));
             c.setMaxBodySize(1000);
         }},
    };
}

void PrintTo(const Case& c, std::ostream* out)
{
    *out << c.name;
}

class ScriptedExchange : public ::testing::TestWithParam<Case>
{
};

TEST_P(ScriptedExchange, sendsExpectedRequestsAndEndsAsExpected)
{
    const Case& c = GetParam();
    ScriptedServer server(c.script);
    THttpClient client;
    client.setIdleTimeout(10s);
    client.setURL(server.url(c.path));
    if (c.setUp)
        c.setUp(client, server);
    const Outcome out = fetch(client);

    std::vector<std::string> expected;
    for (const std::string& r : c.requests)
        expected.push_back(replaceOrigin(r, server.origin()));
    EXPECT_EQ(server.requests(), expected);
    EXPECT_EQ(out.body, c.body);
    EXPECT_EQ(out.status, c.status);
    if (c.error.empty()) {
        EXPECT_FALSE(out.error) << *out.error;
    } else {
        ASSERT_TRUE(out.error);
        EXPECT_EQ(out.error->substr(0, c.error.size()), c.error);
        EXPECT_EQ(out.errorCode, c.status);
    }
}

INSTANTIATE_TEST_SUITE_P(THttpClient, ScriptedExchange, ::testing::ValuesIn(exchanges()),
                         [](const ::testing::TestParamInfo<Case>& info) {
                             return std::string(info.param.name);
                         });

TEST(THttpClient, originCredentialsAreNotSentToAnotherOrigin)
{
    const std::string challenge =
        "HTTP/1.0 401 Unauthorized\r\nWWW-Authenticate: Basic realm=\"r\"\r\n\r\nno";
    ScriptedServer other({answer(challenge)});
    ScriptedServer origin(
        {answer(challenge), answer("HTTP/1.0 302 Found\r\nLocation: " + other.url("/b") + "\r\n\r\n")});
    THttpClient client;
    client.setIdleTimeout(10s);
    client.setURL("http://user:pass@" + origin.origin() + "/a");
    const Outcome out = fetch(client);

    EXPECT_EQ(
        origin.requests(),
        (std::vector<std::string>{request("/a", origin.origin()),
                                  request("/a", origin.origin(), "Authorization: Basic dXNlcjpwYXNz\r\n")}));
    EXPECT_EQ(other.requests(), std::vector<std::string>{request("/b", other.origin())});
    EXPECT_FALSE(out.error);
    EXPECT_EQ(out.status, 401);
    EXPECT_EQ(out.body, "no");
}

TEST(THttpClient, silentServerFailsAfterTheIdleTimeout)
{
    ScriptedServer server({answer("", Exchange::End::Hold)});
    THttpClient client;
    client.setURL(server.url("/"));
    client.setIdleTimeout(200ms);
    const Outcome out = fetch(client);
    ASSERT_TRUE(out.error);
    EXPECT_EQ(*out.error, "Tempo di risposta scaduto: " + server.url("/"));
}

TEST(THttpClient, answerTrickledByteByByteFailsAtTheRequestDeadline)
{
    // Every byte comes well within the idle timeout; only the deadline of the
    // whole request ends this answer, which would take a minute in all.
    Exchange trickle = answer("HTTP/1.0 200 OK\r\n\r\n" + std::string(1200, 'x'));
    trickle.bytePace = 50ms;
    ScriptedServer server({trickle});
    THttpClient client;
    client.setURL(server.url("/"));
    client.setIdleTimeout(10s);
    client.setRequestTimeout(500ms);
    const Outcome out = fetch(client);
    ASSERT_TRUE(out.error);
    EXPECT_EQ(*out.error, "Tempo di risposta scaduto: " + server.url("/"));
    EXPECT_LT(out.body.size(), 1200u);
}

TEST(THttpClient, connectionThatIsNeverEstablishedFailsAfterTheConnectTimeout)
{
    // A listener whose queue is full drops further connection attempts unanswered.
    const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(::listen(listener, 0), 0);
    ::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length);
    std::vector<int> fillers;
    for (int i = 0; i < 2; ++i) {
        fillers.push_back(::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0));
        ::connect(fillers.back(), reinterpret_cast<sockaddr*>(&address), sizeof address);
    }
    std::this_thread::sleep_for(50ms);

    THttpClient client;
    client.setURL("http://127.0.0.1:" + std::to_string(ntohs(address.sin_port)) + "/");
    client.setConnectTimeout(200ms);
    const Outcome out = fetch(client);
    for (int fd : fillers)
        ::close(fd);
    ::close(listener);
    ASSERT_TRUE(out.error);
    EXPECT_EQ(*out.error, "Connection timed out (Error #110)");
    EXPECT_EQ(out.errorCode, 404);
}

TEST(THttpClient, failuresBeforeTheAnswerRaiseWithTheirTexts)
{
    // A port nobody listens on: bound, then released.
    const int probe = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ::bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address);
    ::getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length);
    ::close(probe);

    const std::string closedPort = "http://127.0.0.1:" + std::to_string(ntohs(address.sin_port)) + "/";
    const struct
    {
        std::string url;
        std::string localAddr;
        std::string error; // the end of the text: a refusal may come before or after the attempt starts
        int code;
    } cases[] = {
        {closedPort, "0.0.0.0", "Connection refused (Error #111)", 404},
        {closedPort, "127.0.0.1", "Connection refused (Error #111)", 404},
        {closedPort, "no.such.address", "can't connect: Cannot assign requested address (Error #99)", 404},
        {"http:///nohost", "", "can't resolve hostname to IP address", 404},
        {"http://127.0.0.1:99999/", "", "can't connect: Invalid argument (Error #22)", 404},
        {"ftp://127.0.0.1/file", "", "Protocol \"ftp\" not implemented", 501},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.url + " from " + c.localAddr);
        THttpClient client;
        client.setURL(c.url);
        client.setLocalAddr(c.localAddr);
        const Outcome out = fetch(client);
        ASSERT_TRUE(out.error);
        EXPECT_TRUE(out.error->ends_with(c.error)) << *out.error;
        EXPECT_EQ(out.errorCode, c.code);
    }
    THttpClient client;
    EXPECT_THROW(client.setRequestVer("2.0"), std::invalid_argument);
    EXPECT_EQ(client.RequestVer(), "1.0");
}

TEST(THttpClient, closeFromAnotherThreadReturnsWhatArrived)
{
    ScriptedServer server(
        {answer("HTTP/1.0 200 OK\r\nContent-Length: 1000\r\n\r\n0123456789", Exchange::End::Hold)});
    auto client = std::make_unique<THttpClient>();
    client->setURL(server.url("/slow"));
    const std::shared_ptr<CloseSignal> handle = client->closeSignal();
    Outcome out;
    std::thread worker([&] { out = fetch(*client); });
    ASSERT_TRUE(server.waitUntilHolding(10s));
    client->Close(); // returns once Get has ended
    worker.join();

    EXPECT_FALSE(out.error);
    EXPECT_EQ(out.status, 200);
    EXPECT_EQ(out.body, "0123456789");
    // A stop that comes after the client is gone touches nothing.
    client.reset();
    handle->close();
}

TEST(THttpClient, closeAtAnyMomentEndsGetWithAPrefixOfTheAnswer)
{
    const std::string full(200000, 'q');
    std::mt19937 random(7);
    for (int round = 0; round < 40; ++round) {
        // Half of the body, then silence: only Close ends the request in time.
        ScriptedServer server(
            {answer("HTTP/1.0 200 OK\r\nContent-Length: 400000\r\n\r\n" + full, Exchange::End::Hold)});
        THttpClient client;
        client.setURL(server.url("/"));
        client.setIdleTimeout(10s);
        Outcome out;
        std::thread worker([&] { out = fetch(client); });
        std::this_thread::sleep_for(
            std::chrono::microseconds(std::uniform_int_distribution<int>(0, 3000)(random)));
        client.Close();
        worker.join();
        EXPECT_FALSE(out.error) << *out.error;
        EXPECT_EQ(out.status, 200);
        EXPECT_EQ(out.body, full.substr(0, out.body.size()));
    }
}

TEST(THttpClient, closeBeforeGetEndsThatGetAtOnce)
{
    THttpClient client;
    client.setURL("http://127.0.0.1:1/");
    client.Close();
    const Outcome out = fetch(client);
    EXPECT_FALSE(out.error);
    EXPECT_EQ(out.status, 200);
    EXPECT_EQ(out.body, "");
}

} // namespace
} // namespace listorix
