#pragma once

#include "fetch/HttpWorker.h"
#include "fetch/WorkerReports.h"
#include "websource/CurlTransport.h"
#include "websource/StopSignal.h"
#include "websource/WebSourceEndpoints.h"

#include <memory>
#include <thread>

namespace listorix {

class MainThread;
class WebAnswerTranslator;

// The worker of one request when the quotes come from the web source: its own
// thread has the translator answer the request's URL (the catalogue's CSV request)
// over libcurl, and posts ShowStatus and the completion to the main thread as
// TThreadHttp does. Body holds the CSV lines; StatusText what the translator has
// to say (the symbols that failed, or that the source rests). Destruction stops a
// translation still running and waits for the thread.
class WebWorker final : public HttpWorker
{
public:
    // `translator` is shared by the workers of the whole run (its memory of the
    // last good answers and of the pacing); one translation runs at a time.
    WebWorker(MainThread& mainThread, std::shared_ptr<WebAnswerTranslator> translator,
              WebSourceEndpoints endpoints, CurlTransportOptions transport);
    ~WebWorker() override;
    WebWorker(const WebWorker&) = delete;
    WebWorker& operator=(const WebWorker&) = delete;

    void Resume() override;
    // Stops the translation (it ends with what it has, as a closed request does)
    // and returns once it no longer runs.
    void Close() override;

private:
    void Run();

    std::shared_ptr<WebAnswerTranslator> m_translator;
    const WebSourceEndpoints m_endpoints;
    const CurlTransportOptions m_transport;
    StopSignal m_stop;
    WorkerReports m_reports;
    std::thread m_thread;
};

} // namespace listorix
