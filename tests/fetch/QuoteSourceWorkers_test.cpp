// The workers of the three quote sources behind the fetch's one request source,
// chosen by the settings in force.
#include "ScratchDir.h"
#include "ScriptedServer.h"
#include "base/EventLoop.h"
#include "fetch/QuoteSourceWorkers.h"
#include "settings/SettingsInForce.h"
#include "websource/WebAnswerTranslator.h"

#include <chrono>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

namespace listorix {
namespace {

using namespace std::chrono_literals;
using test::Exchange;
using test::ScriptedServer;

std::string jsonOk(const std::string& body)
{
    return "HTTP/1.1 200 OK\r\nContent-Type: application/json\r\nContent-Length: " +
           std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
}

// One request of the source's worker on the test thread's event loop, with the
// settings in force loaded from a settings file holding `service` as its
// "SERVIZIO" section.
struct Request
{
    explicit Request(const std::string& service)
    {
        dir.write("LISTORIX.INI", "[SERVIZIO]\r\n" + service);
        settings.LoadSettings();
    }

    void run(const std::string& path)
    {
        worker = sources.newWorker();
        done = false;
        worker->OnStatus = [this](HttpWorker& w) { status = w.StatusText; };
        worker->OnDone = [this](HttpWorker& w) {
            succeeded = w.Succeeded;
            body = w.Body;
            done = true;
        };
        worker->Url = sources.requestUrl(path);
        worker->Resume();
        loop.serveEventsUntil([this] { return done; });
    }

    test::ScratchDir dir;
    SettingsInForce settings{dir.file("LISTORIX.INI")};
    EventLoop loop;
    QuoteSourceWorkers sources{loop, settings, HttpTimeouts{5s, 5s}};
    std::unique_ptr<HttpWorker> worker;
    bool done = false;
    bool succeeded = false;
    std::string status;
    std::string body;
};

TEST(QuoteSourceWorkers, csvAndDemoRequestsGoToTheQuoteHostOfTheirSource)
{
    const struct
    {
        QuoteSource source;
        const char* settingsHost;
        const char* host;
    } cases[] = {
        {QuoteSource::Csv, "", "it.finance.yahoo.com"},
        {QuoteSource::Csv, "127.0.0.1:9000", "127.0.0.1:9000"},
        {QuoteSource::Csv, "bad host", "it.finance.yahoo.com"},
        {QuoteSource::Demo, "", "127.0.0.1:8080"},
        {QuoteSource::Demo, " 127.0.0.1:9001 ", "127.0.0.1:9001"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.settingsHost);
        EXPECT_EQ(quoteHostFor(c.source, c.settingsHost), c.host);
    }
    // The catalogue's entries are paths: the source in force gives their host.
    EXPECT_EQ(Request("").sources.requestUrl("/d/quotes.csv?s=^MIBTEL"),
              "http://it.finance.yahoo.com/d/quotes.csv?s=^MIBTEL");
    EXPECT_EQ(Request("SORGENTE=demo\r\n").sources.requestUrl("/d/quotes.csv?s=A"),
              "http://127.0.0.1:8080/d/quotes.csv?s=A");

    ScriptedServer demo({{"HTTP/1.0 200 OK\r\n\r\n\"A.MI\";1.5\r\n"}});
    Request request("SORGENTE=demo\r\nHOST=" + demo.origin() + "\r\n");
    request.run("/d/quotes.csv?s=A.MI&f=sl1");
    EXPECT_TRUE(request.succeeded);
    EXPECT_EQ(request.body, "\"A.MI\";1.5\r\n");
    EXPECT_EQ(demo.requests().at(0).rfind("GET /d/quotes.csv?s=A.MI&f=sl1 HTTP/1.0\r\n", 0), 0u);
}

TEST(QuoteSourceWorkers, theWebSourceAnswersTheCatalogueRequestWithCsvLinesOnTheMainThread)
{
    ScriptedServer chart(
        {{jsonOk("{\"chart\":{\"result\":[{\"meta\":{\"shortName\":\"A2A\",\"regularMarketPrice\":"
                 "2.1,\"regularMarketTime\":1736928300}}]}}")},
         {"HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: 6\r\n\r\n<html>"}});
    Request request("SORGENTE=web\r\nWEB_GRAFICI=http://" + chart.origin() + "\r\n");
    request.run("/d/quotes.csv?s=A2A.MI+B.MI&f=snl1d1t1");
    EXPECT_TRUE(request.succeeded);
    EXPECT_EQ(request.body, "\"A2A.MI\";\"A2A\";2.10;1/15/2025;9:05\r\n\"B.MI\";\"B.MI\";N/A;N/A;N/A\r\n");
    EXPECT_EQ(request.status, "Sorgente web: 1 simbolo non aggiornato");
    EXPECT_EQ(
        chart.requests().at(0).rfind("GET /v8/finance/chart/A2A.MI?range=1d&interval=1d HTTP/1.1\r\n", 0),
        0u);

    // The same request within the minute is answered again without a request.
    request.run("/d/quotes.csv?s=A2A.MI+B.MI&f=snl1d1t1");
    EXPECT_TRUE(request.succeeded);
    EXPECT_EQ(chart.requests().size(), 2u);
}

// A fund the exchange does not know: the search's address (WEB_RICERCA) is asked,
// and what it found goes to the settings file in force, in its own section.
TEST(QuoteSourceWorkers, theSearchOfTheSettingsInForceIsAskedAndItsResultKeptInTheirFile)
{
    ScriptedServer web(
        {{jsonOk("{\"d\":[]}")},
         {jsonOk("{\"count\":1,\"quotes\":[{\"symbol\":\"0P0000ABCD\",\"quoteType\":\"MUTUALFUND\"}]}")},
         {jsonOk(
             "{\"chart\":{\"result\":[{\"meta\":{\"shortName\":\"Fondo\",\"regularMarketPrice\":5.1}}]}}")}});
    const std::string address = "http://" + web.origin();
    Request request("SORGENTE=web\r\nWEB_GRAFICI=" + address + "\r\nWEB_BORSA=" + address +
                    "\r\nWEB_RICERCA=" + address + "\r\n");
    request.run("/d/quotes.csv?s=LU0211445258.MI&f=snl1");
    EXPECT_TRUE(request.succeeded);
    EXPECT_EQ(request.body, "\"LU0211445258.MI\";\"Fondo\";5.10\r\n");
    ASSERT_EQ(web.requests().size(), 3u);
    EXPECT_EQ(web.requests()[1].rfind("GET /v1/finance/search?q=LU0211445258&quotesCount=1&newsCount=0 ", 0),
              0u);
    EXPECT_EQ(web.requests()[2].rfind("GET /v8/finance/chart/0P0000ABCD?", 0), 0u);
    std::ifstream file(request.dir.file("LISTORIX.INI"), std::ios::binary);
    const std::string settings{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    EXPECT_NE(settings.find("[SIMBOLI WEB]\r\nLU0211445258=0P0000ABCD;"), std::string::npos);
    EXPECT_TRUE(request.sources.webSource()) << "the memory the chart pages' fetch shares";
}

TEST(QuoteSourceWorkers, closingAWebRequestEndsItWithWhatItHas)
{
    ScriptedServer chart({{"HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\n{", Exchange::End::Hold}});
    Request request("SORGENTE=web\r\nWEB_GRAFICI=http://" + chart.origin() + "\r\n");
    request.worker = request.sources.newWorker();
    request.worker->OnDone = [&](HttpWorker& w) {
        request.succeeded = w.Succeeded;
        request.body = w.Body;
        request.done = true;
    };
    request.worker->Url = request.sources.requestUrl("/d/quotes.csv?s=A.MI&f=sl1");
    request.worker->Resume();
    ASSERT_TRUE(chart.waitUntilHolding(5s));
    const auto started = std::chrono::steady_clock::now();
    request.worker->Close();
    EXPECT_LT(std::chrono::steady_clock::now() - started, 5s);
    request.loop.serveEventsUntil([&] { return request.done; });
    EXPECT_TRUE(request.succeeded);
    EXPECT_EQ(request.body, "\"A.MI\";N/A\r\n");
}

} // namespace
} // namespace listorix
