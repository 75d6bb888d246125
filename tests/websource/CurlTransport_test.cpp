#include "ScriptedServer.h"
#include "http/Base64.h"
#include "websource/CurlTransport.h"
#include "websource/StopSignal.h"

#include <chrono>
#include <cstdlib>
#include <gtest/gtest.h>
#include <thread>

namespace listorix {
namespace {

using test::Exchange;
using test::ScriptedServer;

CurlTransportOptions quickOptions()
{
    CurlTransportOptions options;
    options.connectTimeout = std::chrono::milliseconds(5000);
    options.totalTimeout = std::chrono::milliseconds(10000);
    return options;
}

std::string answer(const std::string& head, const std::string& body)
{
    return "HTTP/1.1 " + head + "\r\nContent-Length: " + std::to_string(body.size()) +
           "\r\nConnection: close\r\n\r\n" + body;
}

TEST(CurlTransport, getSendsABrowsersHeadAndNothingThatNamesTheUser)
{
    ScriptedServer server({{answer("200 OK\r\nContent-Type: application/json", "{\"chart\":{}}")}});
    StopSignal stop;
    CurlTransport transport(quickOptions(), stop);
    const WebResponse response =
        transport.perform({server.url("/v8/finance/chart/%5EX?range=1d&interval=1d"), ""});
    ASSERT_TRUE(response.answered) << response.error;
    EXPECT_EQ(response.status, 200);
    EXPECT_EQ(response.contentType, "application/json");
    EXPECT_EQ(response.body, "{\"chart\":{}}");
    EXPECT_FALSE(response.retryAfterSeconds);

    const std::string request = server.requests().at(0);
    EXPECT_EQ(request.rfind("GET /v8/finance/chart/%5EX?range=1d&interval=1d HTTP/1.1\r\n", 0), 0u)
        << request;
    EXPECT_NE(request.find(std::string("User-Agent: ") + CurlTransport::kUserAgent + "\r\n"),
              std::string::npos);
    for (const char* header : {"Cookie:", "Referer:", "From:", "Authorization:", "Listorix"})
        EXPECT_EQ(request.find(header), std::string::npos) << header << " in " << request;
}

TEST(CurlTransport, postCarriesItsJsonBody)
{
    ScriptedServer server({{answer("200 OK\r\nContent-Type: application/json", "{\"d\":[]}")}});
    StopSignal stop;
    CurlTransport transport(quickOptions(), stop);
    const std::string body = "{\"request\":{\"Key\":\"IT0005026163.MOT\"}}";
    const WebResponse response =
        transport.perform({server.url("/charts/services/ChartWService.asmx/GetPricesWithVolume"), body});
    ASSERT_TRUE(response.answered) << response.error;
    EXPECT_EQ(response.body, "{\"d\":[]}");
    const std::string request = server.requests().at(0);
    EXPECT_EQ(request.rfind("POST /charts/services/ChartWService.asmx/GetPricesWithVolume HTTP/1.1\r\n", 0),
              0u);
    EXPECT_NE(request.find("Content-Type: application/json; charset=UTF-8\r\n"), std::string::npos)
        << request;
    EXPECT_NE(request.find("Content-Length: " + std::to_string(body.size()) + "\r\n"), std::string::npos);
    EXPECT_EQ(request.find("Expect:"), std::string::npos);
}

TEST(CurlTransport, aRedirectionIsReportedWithWhereItLeadsAndNotFollowed)
{
    ScriptedServer server({{answer("307 Temporary Redirect\r\nLocation: https://guce.yahoo.com/consent?"
                                   "brandType=eu&done=https%3A%2F%2Fquery1.finance.yahoo.com%2F",
                                   "")},
                           {answer("200 OK", "followed")}});
    StopSignal stop;
    CurlTransport transport(quickOptions(), stop);
    const WebResponse response = transport.perform({server.url("/v8/finance/chart/A"), ""});
    ASSERT_TRUE(response.answered) << response.error;
    EXPECT_EQ(response.status, 307);
    EXPECT_EQ(response.location, "https://guce.yahoo.com/consent?brandType=eu&done=https%3A%2F%2F"
                                 "query1.finance.yahoo.com%2F");
    EXPECT_EQ(response.body, "");
    EXPECT_EQ(server.requests().size(), 1u);
}

TEST(CurlTransport, anErrorStatusIsAnAnswerWithItsRetryAfter)
{
    ScriptedServer server(
        {{answer("429 Too Many Requests\r\nRetry-After: 120\r\nContent-Type: text/html", "<html/>")}});
    StopSignal stop;
    CurlTransport transport(quickOptions(), stop);
    const WebResponse response = transport.perform({server.url("/v8/finance/chart/A"), ""});
    ASSERT_TRUE(response.answered) << response.error;
    EXPECT_EQ(response.status, 429);
    EXPECT_EQ(response.retryAfterSeconds, 120);
    EXPECT_EQ(response.body, "<html/>");
}

TEST(CurlTransport, noRelocationIsFollowed)
{
    ScriptedServer server({{answer("302 Found\r\nLocation: https://consent.example/", "")}});
    StopSignal stop;
    CurlTransport transport(quickOptions(), stop);
    const WebResponse response = transport.perform({server.url("/v8/finance/chart/A"), ""});
    ASSERT_TRUE(response.answered) << response.error;
    EXPECT_EQ(response.status, 302);
    EXPECT_EQ(server.requests().size(), 1u);
}

TEST(CurlTransport, theProgramsProxyCarriesBasicCredentialsAndTheEnvironmentsProxyIsIgnored)
{
    ScriptedServer proxy({{answer("200 OK", "{}")}, {answer("200 OK", "{}")}});
    StopSignal stop;

    CurlTransportOptions options = quickOptions();
    options.proxy = ProxySettings{true, "127.0.0.1", std::to_string(proxy.port()), "mario", "segreto"};
    CurlTransport viaProxy(options, stop);
    const WebResponse response = viaProxy.perform({"http://chart.test/v8/finance/chart/A", ""});
    ASSERT_TRUE(response.answered) << response.error;
    const std::string request = proxy.requests().at(0);
    EXPECT_EQ(request.rfind("GET http://chart.test/v8/finance/chart/A HTTP/1.1\r\n", 0), 0u) << request;
    EXPECT_NE(request.find("Proxy-Authorization: Basic " + base64Encode("mario:segreto") + "\r\n"),
              std::string::npos)
        << request;

    // Without the program's proxy the request goes straight to its host, even
    // when the environment names a proxy that does not answer.
    ::setenv("http_proxy", "http://127.0.0.1:1", 1);
    CurlTransport direct(quickOptions(), stop);
    const WebResponse straight = direct.perform({proxy.url("/v8/finance/chart/B"), ""});
    ::unsetenv("http_proxy");
    ASSERT_TRUE(straight.answered) << straight.error;
    EXPECT_EQ(proxy.requests().at(1).rfind("GET /v8/finance/chart/B HTTP/1.1\r\n", 0), 0u);
}

TEST(CurlTransport, aStopEndsAWaitingTransferAtOnce)
{
    ScriptedServer server({{"HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\n{", Exchange::End::Hold}});
    StopSignal stop;
    CurlTransport transport(quickOptions(), stop);
    std::thread stopper([&] {
        server.waitUntilHolding(std::chrono::seconds(5));
        stop.stop();
    });
    const auto started = std::chrono::steady_clock::now();
    const WebResponse response = transport.perform({server.url("/v8/finance/chart/A"), ""});
    stopper.join();
    EXPECT_FALSE(response.answered);
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(5));
}

TEST(CurlTransport, anOversizedAnswerIsNoAnswer)
{
    ScriptedServer server({{answer("200 OK", std::string(5000, 'x'))}});
    StopSignal stop;
    CurlTransportOptions options = quickOptions();
    options.maxBodyBytes = 1000;
    CurlTransport transport(options, stop);
    const WebResponse response = transport.perform({server.url("/v8/finance/chart/A"), ""});
    EXPECT_FALSE(response.answered);
    EXPECT_EQ(response.error, "answer too large");
    EXPECT_EQ(response.body, "");
}

} // namespace
} // namespace listorix
