#pragma once

#include "base/ProxySettings.h"
#include "fetch/HttpWorker.h"
#include "fetch/WorkerReports.h"

#include <chrono>
#include <memory>
#include <thread>

namespace listorix {

class CloseSignal;
class MainThread;
class THttpClient;

// Bounds of one request, shortened by tests.
struct HttpTimeouts
{
    std::chrono::milliseconds connect{30000};
    std::chrono::milliseconds idle{60000};
};

// The worker of one request: its own thread (started by Resume) runs one
// synchronous GET with its own THttpClient, set up from the proxy snapshot given
// at creation, and posts ShowStatus and the completion to the main thread.
// Destruction closes a request still running and waits for the thread; what the
// thread posted after that finds the worker gone and does nothing.
class TThreadHttp final : public HttpWorker
{
public:
    TThreadHttp(MainThread& mainThread, ProxySettings proxy, HttpTimeouts timeouts = {});
    ~TThreadHttp() override;
    TThreadHttp(const TThreadHttp&) = delete;
    TThreadHttp& operator=(const TThreadHttp&) = delete;

    void Resume() override;
    void Close() override;

private:
    // The thread body.
    void Run();

    const ProxySettings m_proxy;
    const HttpTimeouts m_timeouts;
    std::unique_ptr<THttpClient> m_client; // created here, used and freed by the thread body
    std::shared_ptr<CloseSignal> m_closeSignal;
    WorkerReports m_reports;
    std::thread m_thread;
};

// Gives the client the worker's request: the proxy (address ":" port, user name
// and password) when it is enabled, none otherwise, and the URL.
void PrepareRequest(THttpClient& client, const std::string& url, const ProxySettings& proxy);

} // namespace listorix
