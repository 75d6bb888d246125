#include "app/ChartPages.h"

#include "base/MainThread.h"
#include "base/Prompts.h"
#include "base/TextSink.h"
#include "export/ChartPage.h"
#include "fetch/WebSourceMemory.h"
#include "websource/ChartHistory.h"
#include "websource/CurlTransport.h"
#include "websource/StopSignal.h"

#include <utility>

namespace listorix {

struct ChartPages::Job
{
    StopSignal stop;
    std::thread thread;
};

ChartPages::ChartPages(MainThread& mainThread, TextSink& LabelStatus, Prompts& prompts,
                       std::shared_ptr<WebSourceMemory> web, std::string pageFile)
    : m_mainThread(mainThread), m_status(LabelStatus), m_prompts(prompts), m_web(std::move(web)),
      m_pageFile(std::move(pageFile)), m_self(std::make_shared<ChartPages*>(this))
{
}

ChartPages::~ChartPages()
{
    *m_self = nullptr;
    stopRunning();
}

void ChartPages::stopRunning()
{
    if (!m_running)
        return;
    // A stop ends a transfer or a wait for the source's pacing at once.
    m_running->stop.stop();
    if (m_running->thread.joinable())
        m_running->thread.join();
    m_running.reset();
}

void ChartPages::open(const std::string& code, ChartPeriod period, const RequestSettings& settings,
                      const HttpTimeouts& timeouts)
{
    stopRunning();
    const std::uint64_t job = ++m_jobs;
    m_status.setText("Grafico di " + code + " (" + std::string(chartPeriodTitle(period)) +
                     ") in preparazione...");
    m_web->resolutions.useFile(settings.settingsFile);
    m_running = std::make_unique<Job>();
    try {
        m_running->thread =
            std::thread([job, code, period, endpoints = settings.web,
                         transportOptions = webTransportOptions(settings, timeouts), stop = &m_running->stop,
                         web = m_web, self = m_self, file = m_pageFile, &mainThread = m_mainThread] {
                bool written = false;
                std::string message;
                try {
                    CurlTransport transport(transportOptions, *stop);
                    const ChartHistoryResult result =
                        web->charts.fetch(code, period, endpoints, transport, *stop);
                    // A chart asked for after this one has taken its place.
                    if (stop->stopped())
                        return;
                    const std::string html =
                        result.failure == ChartFailure::None
                            ? chartPageHtml(result.series, period, result.fetchedAt)
                            : chartFailurePageHtml(code, period, chartFailureText(result), result.fetchedAt);
                    const ReportWriteResult page = WriteChartPage(file, html);
                    written = page.written;
                    message = page.message;
                } catch (...) {
                    message = "Impossibile preparare il grafico di " + code;
                }
                mainThread.post([self, job, written, message] {
                    if (*self)
                        (*self)->finished(job, written, message);
                });
            });
    } catch (...) {
        // No thread to be had: nothing is fetched, and the user hears why.
        m_running.reset();
        m_status.setText({});
        m_prompts.warningOk("Impossibile preparare il grafico di " + code);
    }
}

void ChartPages::finished(std::uint64_t job, bool written, const std::string& message)
{
    if (job != m_jobs)
        return;
    m_status.setText({});
    if (!written) {
        m_prompts.warningOk(message);
        return;
    }
    if (m_observer)
        m_observer(m_pageFile);
}

} // namespace listorix
