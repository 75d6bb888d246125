#include "fetch/TThreadHttp.h"

#include "fetch/FetchDispatch.h"
#include "http/CloseSignal.h"
#include "http/THttpClient.h"

#include <exception>
#include <utility>

namespace listorix {

TThreadHttp::TThreadHttp(MainThread& mainThread, ProxySettings proxy, HttpTimeouts timeouts)
    : m_proxy(std::move(proxy)), m_timeouts(timeouts), m_client(std::make_unique<THttpClient>()),
      m_closeSignal(m_client->closeSignal()), m_reports(mainThread, *this)
{
}

TThreadHttp::~TThreadHttp()
{
    m_reports.cutOff();
    if (m_thread.joinable()) {
        m_closeSignal->close();
        m_thread.join();
    }
}

void TThreadHttp::Resume()
{
    if (!m_thread.joinable() && m_client)
        m_thread = std::thread(&TThreadHttp::Run, this);
}

void TThreadHttp::Close()
{
    m_closeSignal->close();
}

void TThreadHttp::Run()
{
    // An empty URL asks for nothing: the request counts as failed, and the status
    // stays as StartWorker left it.
    if (!Url.empty()) {
        THttpClient& client = *m_client;
        client.setMultiThreaded(true);
        client.setReceiveStream(&Body);
        client.setConnectTimeout(m_timeouts.connect);
        client.setIdleTimeout(m_timeouts.idle);
        try {
            PrepareRequest(client, Url, m_proxy);
            Body.clear();
            client.Get();
            Succeeded = true;
            StatusText.clear();
        } catch (...) {
            // Any failure of the request (the client's EHttpError, a bad proxy
            // port, memory) is the same failed request to the fetch.
            Succeeded = false;
            StatusText = std::string(kUrlErrorPrefix) + Url;
        }
        m_reports.postStatus();
    }
    m_client.reset();
    m_reports.postDone();
}

void PrepareRequest(THttpClient& client, const std::string& url, const ProxySettings& proxy)
{
    if (proxy.enabled) {
        client.setProxy(proxy.address + ':' + proxy.port);
        client.setProxyUsername(proxy.username);
        client.setProxyPassword(proxy.password);
    } else {
        client.setProxy({});
    }
    client.setURL(url);
}

} // namespace listorix
