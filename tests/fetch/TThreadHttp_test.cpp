// The worker of one request: its own thread and client, the proxy snapshot it was
// made with, and its reports reaching the main thread in order.
#include "ScriptedServer.h"
#include "base/EventLoop.h"
#include "fetch/TThreadHttp.h"
#include "http/THttpClient.h"

#include <chrono>
#include <gtest/gtest.h>
#include <thread>
#include <vector>

namespace listorix {
namespace {

using namespace std::chrono_literals;
using test::Exchange;
using test::ScriptedServer;

// Runs one worker on the test thread's event loop and records what reached it.
struct WorkerRun
{
    explicit WorkerRun(ProxySettings proxy = {}) : worker(loop, std::move(proxy), HttpTimeouts{5s, 5s})
    {
        worker.OnStatus = [this](HttpWorker& w) {
            reports.push_back("status:" + w.StatusText);
            EXPECT_EQ(std::this_thread::get_id(), mainThread);
        };
        worker.OnDone = [this](HttpWorker& w) {
            reports.push_back(std::string("done:") + (w.Succeeded ? "ok:" : "failed:") + w.Body);
            EXPECT_EQ(std::this_thread::get_id(), mainThread);
            done = true;
        };
    }
    void untilDone()
    {
        loop.serveEventsUntil([this] { return done; });
    }

    const std::thread::id mainThread = std::this_thread::get_id();
    EventLoop loop;
    TThreadHttp worker;
    std::vector<std::string> reports;
    bool done = false;
};

TEST(TThreadHttp, answersOnTheMainThreadWithStatusThenCompletion)
{
    ScriptedServer server({{"HTTP/1.0 200 OK\r\n\r\nA;1\r\nB;2\r\n"}});
    WorkerRun run;
    run.worker.Url = server.url("/d/quotes.csv?s=A+B");
    run.worker.Resume();
    run.untilDone();

    EXPECT_EQ(run.reports, (std::vector<std::string>{"status:", "done:ok:A;1\r\nB;2\r\n"}));
    // The body is emptied once the completion has run.
    EXPECT_EQ(run.worker.Body, "");
}

TEST(TThreadHttp, aFailedRequestNamesItsUrl)
{
    ScriptedServer server({{"HTTP/1.0 404 Not Found\r\n\r\n"}});
    WorkerRun run;
    run.worker.Url = server.url("/nothing");
    run.worker.Resume();
    run.untilDone();

    EXPECT_EQ(run.reports,
              (std::vector<std::string>{"status:Errore contattando l'url: " + server.url("/nothing"),
                                        "done:failed:"}));
}

TEST(TThreadHttp, goesThroughTheProxyOfItsSnapshotWithItsCredentials)
{
    ScriptedServer proxy({{"HTTP/1.0 407 Proxy Authentication Required\r\n"
                           "Proxy-Authenticate: Basic realm=\"lan\"\r\n\r\n"},
                          {"HTTP/1.0 200 OK\r\n\r\nX;1\r\n"}});
    WorkerRun run(ProxySettings{true, "127.0.0.1", std::to_string(proxy.port()), "anna", "abc"});
    run.worker.Url = "http://quotes.invalid/d/quotes.csv?s=X";
    run.worker.Resume();
    run.untilDone();

    ASSERT_EQ(proxy.requests().size(), 2u);
    const std::string request = proxy.requests()[1];
    EXPECT_EQ(request.rfind("GET http://quotes.invalid/d/quotes.csv?s=X HTTP/1.0\r\n", 0), 0u) << request;
    EXPECT_NE(request.find("Proxy-Authorization: Basic YW5uYTphYmM=\r\n"), std::string::npos) << request;
    EXPECT_EQ(run.reports.back(), "done:ok:X;1\r\n");
}

TEST(TThreadHttp, closeEndsTheRequestWithWhatArrived)
{
    ScriptedServer server(
        {{"HTTP/1.0 200 OK\r\nContent-Length: 1000\r\n\r\nA;1\r\nB;", Exchange::End::Hold}});
    WorkerRun run;
    run.worker.Url = server.url("/slow");
    run.worker.Resume();
    ASSERT_TRUE(server.waitUntilHolding(10s));
    run.worker.Close();
    run.untilDone();

    EXPECT_EQ(run.reports, (std::vector<std::string>{"status:", "done:ok:A;1\r\nB;"}));
}

TEST(TThreadHttp, aWorkerFreedDuringItsRequestStopsItAndReportsNothing)
{
    ScriptedServer server({{"HTTP/1.0 200 OK\r\nContent-Length: 10\r\n\r\n1", Exchange::End::Hold}});
    std::vector<std::string> reports;
    EventLoop loop;
    {
        TThreadHttp worker(loop, {});
        worker.OnDone = [&](HttpWorker&) { reports.push_back("done"); };
        worker.OnStatus = [&](HttpWorker&) { reports.push_back("status"); };
        worker.Url = server.url("/slow");
        worker.Resume();
        ASSERT_TRUE(server.waitUntilHolding(10s));
    }
    loop.servePending();
    EXPECT_TRUE(reports.empty());
}

TEST(TThreadHttp, prepareRequestSetsTheProxyOnlyWhenItIsEnabled)
{
    THttpClient client;
    PrepareRequest(client, "http://a/1", ProxySettings{true, "proxy.lan", "3128", "u", "p"});
    EXPECT_EQ(client.Proxy(), "proxy.lan:3128");
    EXPECT_EQ(client.ProxyUsername(), "u");
    EXPECT_EQ(client.ProxyPassword(), "p");
    EXPECT_EQ(client.URL(), "http://a/1");

    PrepareRequest(client, "http://a/2", ProxySettings{false, "proxy.lan", "3128", "u", "p"});
    EXPECT_EQ(client.Proxy(), "");
    EXPECT_EQ(client.URL(), "http://a/2");
}

} // namespace
} // namespace listorix
