#include "QuotedTestSupport.h"
#include "TlsTestSupport.h"
#include "http/Base64.h"
#include "quoted/Clock.h"
#include "quoted/CsvAnswer.h"
#include "quoted/QuoteServer.h"
#include "quoted/QuoteService.h"
#include "quoted/TlsContext.h"

#include <future>
#include <gtest/gtest.h>
#include <thread>

namespace listorix::quoted {
namespace {

using namespace std::chrono_literals;
using testing::at;
using testing::bodyOf;
using testing::get;
using testing::RunningServer;
using testing::statusOf;

std::string twoHundredShares()
{
    const auto shares = testing::sampleTickers("A_azioni.lst");
    std::vector<std::string> symbols;
    for (std::size_t i = 0; symbols.size() < 200; ++i)
        symbols.push_back(shares[i % shares.size()]);
    return testing::joinSymbols(symbols);
}

TEST(QuoteServer, answersTheIndexRequestAndATwoHundredSymbolRequest)
{
    RunningServer running;
    EXPECT_EQ(running.server().address(), "127.0.0.1:" + std::to_string(running.port()));

    const std::string index =
        get(running.port(), "/d/quotes.csv?s=^MIBTEL+^MIB30+^MIDEX+^SPMIB&f=sl1d1t1c1hgp&e=.csv");
    EXPECT_EQ(statusOf(index), 200);
    std::string unknown;
    EXPECT_EQ(bodyOf(index), buildCsvAnswer(testing::sampleMarket(), at("2005-01-25T15:30"),
                                            {"^MIBTEL", "^MIB30", "^MIDEX", "^SPMIB"},
                                            *parseFieldCodes("sl1d1t1c1hgp", unknown)));

    const std::string shares =
        get(running.port(), "/d/quotes.csv?s=" + twoHundredShares() + "&f=snl1d1t1oghpc2v");
    EXPECT_EQ(statusOf(shares), 200);
    const std::string body = bodyOf(shares);
    EXPECT_NE(shares.find("Content-Length: " + std::to_string(body.size()) + "\r\n"), std::string::npos);
    EXPECT_EQ(testing::splitLines(body).size(), 200u);

    // HEAD gets the head alone.
    const std::string head =
        testing::exchange(running.port(), "HEAD /d/quotes.csv?s=ENI.MI HTTP/1.0\r\n\r\n");
    EXPECT_EQ(statusOf(head), 200);
    EXPECT_EQ(bodyOf(head), "");
}

TEST(QuoteServer, badRequestsGetAnErrorAndTheServerGoesOn)
{
    RunningServer running;
    const std::uint16_t port = running.port();
    struct Case
    {
        std::string request;
        int status;
    };
    const Case cases[] = {
        {"GET /d/quotes.csv?f=snl1 HTTP/1.0\r\n\r\n", 400},
        {"GET /d/quotes.csv?s=ENI.MI&f=snq HTTP/1.0\r\n\r\n", 400},
        {"GET /d/quotes.csv?s=" + std::string(10240, 'A') + "&f=snl1 HTTP/1.0\r\n\r\n", 414},
        {"GET / HTTP/1.0\r\nX-Big: " + std::string(9000, 'x') + "\r\n\r\n", 431},
        {std::string("\x16\x03\x01\x02\x00\x01\x00\x01\xfc\x03\x03\r\n\r\n", 15), 400},
        {"GET /d/quotes.csv?s=ENI.MI HTTP/1.0\r\n", 408}, // the head never ends
        {"GET /d/quotes.csv?s=ENI.MI HTTP/9.9\r\n\r\n", 505},
        {"DELETE /d/quotes.csv HTTP/1.0\r\n\r\n", 405},
        {"GET /robots.txt HTTP/1.0\r\n\r\n", 404},
    };
    for (const Case& c : cases) {
        const std::string answer = testing::exchange(port, c.request);
        EXPECT_EQ(statusOf(answer), c.status) << c.request.substr(0, 60);
        EXPECT_NE(bodyOf(answer).find("<html>"), std::string::npos);
    }
    {
        testing::LoopbackConnection leaves(port); // connects and leaves without a word
    }
    {
        testing::LoopbackConnection halfway(port);
        halfway.send("GET /d/quo");
    }
    EXPECT_EQ(statusOf(get(port, "/d/quotes.csv?s=ENI.MI&f=snl1")), 200);
}

TEST(QuoteServer, aStalledClientIsCutOffWhileOthersAreServed)
{
    ServerSettings settings = RunningServer::quickSettings();
    settings.readTimeout = 2s;
    RunningServer running({}, settings);
    testing::LoopbackConnection stalled(running.port());
    ASSERT_TRUE(stalled.send("GET /d/quotes.csv?s=EN"));
    EXPECT_EQ(statusOf(get(running.port(), "/d/quotes.csv?s=ENI.MI&f=snl1")), 200);
    EXPECT_EQ(statusOf(stalled.readAll()), 408);
}

// A request line and a header line at their length limits pass whether their CR and LF
// arrive together or in two reads.
TEST(QuoteServer, aLineAtItsLimitPassesWhenItsCrAndLfArriveApart)
{
    RunningServer running;
    const std::size_t limit = RequestLimits{}.maxRequestLine;
    const std::string target = "/d/quotes.csv?s=ENI.MI&x=";
    const std::string longLine = "GET " + target + std::string(limit - target.size() - 13, 'a') + " HTTP/1.0";
    const std::string longHeader = "X: " + std::string(RequestLimits{}.maxHeaderLine - 3, 'b');
    ASSERT_EQ(longLine.size(), limit);
    const std::pair<std::string, std::string> splits[] = {
        {longLine + "\r", "\n\r\n"},
        {"GET " + target + " HTTP/1.0\r\n" + longHeader + "\r", "\n\r\n"},
    };
    for (const auto& [first, rest] : splits) {
        EXPECT_EQ(statusOf(testing::exchange(running.port(), first + rest)), 200);
        testing::LoopbackConnection apart(running.port());
        apart.send(first);
        std::this_thread::sleep_for(50ms); // lets the server read the first part alone
        apart.send(rest);
        EXPECT_EQ(statusOf(apart.readAll()), 200) << first.substr(0, 40);
    }
}

// Slow clients, each holding a connection open with a request that never ends, cost no
// thread: with more of them than there are answering threads, a normal request is still
// answered.
TEST(QuoteServer, slowClientsDoNotCrowdOutANormalRequest)
{
    ServerSettings settings = RunningServer::quickSettings();
    settings.readTimeout = 30s;
    RunningServer running({}, settings);
    std::vector<std::unique_ptr<testing::LoopbackConnection>> slow;
    for (std::size_t i = 0; i < settings.maxConnections + 2; ++i) {
        slow.push_back(std::make_unique<testing::LoopbackConnection>(running.port()));
        slow.back()->send("GET /d/quotes.csv?s=");
    }
    const std::string_view drip = "ENI.MI+ENEL.MI";
    for (char c : drip) {
        for (auto& client : slow)
            client->send(std::string(1, c));
        EXPECT_EQ(statusOf(get(running.port(), "/d/quotes.csv?s=ENI.MI&f=snl1")), 200);
    }
    // The slow requests are answered once they end.
    slow.front()->send(" HTTP/1.0\r\n\r\n");
    EXPECT_EQ(testing::splitLines(bodyOf(slow.front()->readAll())).size(), 2u);
}

// Too many connections at once are turned away: while their requests arrive, and while
// they are answered.
TEST(QuoteServer, connectionsBeyondTheLimitsAreTurnedAway)
{
    ServerSettings settings = RunningServer::quickSettings();
    settings.readTimeout = 5s;
    settings.maxWaiting = 2;
    RunningServer waiting({}, settings);
    testing::LoopbackConnection first(waiting.port());
    testing::LoopbackConnection second(waiting.port());
    first.send("GET /");
    second.send("GET /");
    EXPECT_EQ(statusOf(get(waiting.port(), "/d/quotes.csv?s=ENI.MI")), 503);

    Faults slowAnswers;
    slowAnswers.delay = 30s;
    settings.maxWaiting = 10;
    settings.maxConnections = 1;
    RunningServer answering(slowAnswers, settings);
    testing::LoopbackConnection delayed(answering.port());
    delayed.send("GET /d/quotes.csv?s=ENI.MI HTTP/1.0\r\n\r\n");
    EXPECT_EQ(statusOf(get(answering.port(), "/d/quotes.csv?s=ENI.MI")), 503);
}

// The web forms over plain HTTP and over HTTPS (with a certificate made for the test)
// get the same bytes, the POST's body read whole; TLS clients slow to shake hands cost
// no thread, and a plain request to the HTTPS port gets no answer.
TEST(QuoteServer, answersTheWebFormsOverHttpAndHttps)
{
    if (!testing::TestCertificate::toolAvailable())
        GTEST_SKIP() << "the openssl command is not installed";
    const testing::TestCertificate certificate;
    ASSERT_TRUE(certificate.made());
    std::string error;
    ServerSettings secure = RunningServer::quickSettings();
    secure.readTimeout = 30s;
    secure.tls = TlsContext::load(certificate.certificateFile(), certificate.keyFile(), error);
    ASSERT_TRUE(secure.tls) << error;
    RunningServer plain;
    RunningServer https({}, secure);
    EXPECT_TRUE(https.server().secure());

    const std::string body = R"({"request":{"Key":"IT0005026163.MOT","SampleTime":"1d","TimeFrame":"1m"}})";
    const std::pair<std::string, std::string_view> requests[] = {
        {"GET /v8/finance/chart/ENI.MI?range=1d&interval=1d HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n",
         "{\"chart\":"},
        {"POST /charts/services/ChartWService.asmx/GetPricesWithVolume HTTP/1.1\r\nHost: 127.0.0.1\r\n"
         "Content-Type: application/json; charset=UTF-8\r\nContent-Length: " +
             std::to_string(body.size()) + "\r\n\r\n" + body,
         "{\"d\":[["}};
    std::vector<std::unique_ptr<testing::LoopbackConnection>> slowHandshakes;
    for (std::size_t i = 0; i < secure.maxConnections + 2; ++i)
        slowHandshakes.push_back(std::make_unique<testing::LoopbackConnection>(https.port()));
    for (const auto& [request, start] : requests) {
        const std::string overHttp = testing::exchange(plain.port(), request);
        EXPECT_EQ(statusOf(overHttp), 200);
        EXPECT_EQ(bodyOf(overHttp).substr(0, start.size()), start);
        EXPECT_EQ(testing::exchangeTls(https.port(), certificate.certificateFile(), request), overHttp);
    }
    EXPECT_EQ(statusOf(get(https.port(), "/d/quotes.csv?s=ENI.MI")), 0);
    EXPECT_EQ(statusOf(testing::exchangeTls(https.port(), certificate.certificateFile(),
                                            "GET /d/quotes.csv?s=ENI.MI HTTP/1.0\r\n\r\n")),
              200);
}

TEST(QuoteServer, cutAndDelayFaultsShapeTheAnswer)
{
    Faults cut;
    cut.cutAfterBytes = 20;
    RunningServer cutting(cut);
    EXPECT_EQ(get(cutting.port(), "/d/quotes.csv?s=ENI.MI"), "HTTP/1.0 200 OK\r\nSer");

    Faults slow;
    slow.delay = 150ms;
    RunningServer delaying(slow);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(statusOf(get(delaying.port(), "/d/quotes.csv?s=ENI.MI")), 200);
    EXPECT_GE(std::chrono::steady_clock::now() - start, 150ms);

    Faults headless;
    headless.htmlError = Faults::HtmlError::Headless;
    RunningServer bare(headless);
    EXPECT_EQ(get(bare.port(), "/d/quotes.csv?s=ENI.MI").substr(0, 13), "<HTML><HEAD><");
}

TEST(QuoteServer, standsInAsAProxyThatWantsCredentials)
{
    Faults faults;
    faults.proxyCredentials = "mario:segreta";
    RunningServer running(faults);
    const std::string line = "GET http://quotes.example:8080/d/quotes.csv?s=ENI.MI&f=snl1 HTTP/1.0\r\n";
    const std::string challenge =
        testing::exchange(running.port(), line + "Host: quotes.example:8080\r\n\r\n");
    EXPECT_EQ(statusOf(challenge), 407);
    EXPECT_NE(challenge.find("\r\nProxy-Authenticate: Basic realm="), std::string::npos);
    const std::string answer = testing::exchange(
        running.port(), line + "Proxy-Authorization: Basic " + base64Encode("mario:segreta") + "\r\n\r\n");
    EXPECT_EQ(statusOf(answer), 200);
    EXPECT_EQ(bodyOf(answer).substr(0, 15), "\"ENI.MI\";\"ENI\";");
}

TEST(QuoteServer, stopEndsWaitingConnectionsAndABusyPortIsReported)
{
    Faults slow;
    slow.delay = 60s;
    ServerSettings settings = RunningServer::quickSettings();
    settings.readTimeout = 60s;
    auto running = std::make_unique<RunningServer>(slow, settings);
    testing::LoopbackConnection stalled(running->port());
    stalled.send("GET /d/quo");
    testing::LoopbackConnection delayed(running->port());
    delayed.send("GET /d/quotes.csv?s=ENI.MI HTTP/1.0\r\n\r\n");

    ServerSettings same = settings;
    same.port = running->port();
    const FixedClock clock(at("2005-01-25T15:30"));
    const QuoteService service(testing::sampleMarket(), clock);
    QuoteServer second(service, same);
    EXPECT_NE(second.start(), "");

    running->server().stop(); // returns without waiting out a minute
    EXPECT_EQ(stalled.readAll(5s), "");
    EXPECT_EQ(delayed.readAll(5s), "");
    running.reset();
}

} // namespace
} // namespace listorix::quoted
