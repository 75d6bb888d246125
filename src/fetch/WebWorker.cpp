#include "fetch/WebWorker.h"

#include "websource/WebAnswerTranslator.h"

namespace listorix {

WebWorker::WebWorker(MainThread& mainThread, std::shared_ptr<WebAnswerTranslator> translator,
                     WebSourceEndpoints endpoints, CurlTransportOptions transport)
    : m_translator(std::move(translator)), m_endpoints(std::move(endpoints)),
      m_transport(std::move(transport)), m_reports(mainThread, *this)
{
}

WebWorker::~WebWorker()
{
    m_reports.cutOff();
    m_stop.stop();
    if (m_thread.joinable())
        m_thread.join();
}

void WebWorker::Resume()
{
    if (!m_thread.joinable())
        m_thread = std::thread(&WebWorker::Run, this);
}

void WebWorker::Close()
{
    m_stop.stop();
    if (m_thread.joinable() && m_thread.get_id() != std::this_thread::get_id())
        m_thread.join();
}

void WebWorker::Run()
{
    // An empty URL asks for nothing: the request counts as failed, and the status
    // stays as StartWorker left it.
    if (!Url.empty()) {
        try {
            CurlTransport transport(m_transport, m_stop);
            WebTranslation translation = m_translator->translate(Url, m_endpoints, transport, m_stop);
            Succeeded = translation.succeeded;
            Body = std::move(translation.body);
            StatusText = std::move(translation.statusText);
        } catch (...) {
            // Whatever went wrong on the way (memory, the library) is a failed request.
            Succeeded = false;
            Body.clear();
            StatusText = webUnavailableText(1);
        }
        m_reports.postStatus();
    }
    m_reports.postDone();
}

} // namespace listorix
