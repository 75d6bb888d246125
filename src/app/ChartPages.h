#pragma once

#include "base/PriceSeries.h"
#include "fetch/QuoteSourceWorkers.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <thread>

namespace listorix {

class MainThread;
class Prompts;
class StopSignal;
class TextSink;
struct WebSourceMemory;

// The chart pages the program draws itself from the web source: a security's
// history over one of the seven periods, fetched on a thread of its own (the
// window and the schedule never wait for it), the page written beside the report
// (a chart, or a page that says in Italian why there is none), then told to the
// observer, which opens it in the web tab. A page that cannot be written is told
// in a warning. One at a time: a chart asked for while another is on its way
// stops that one, and only the last asked for is shown. Main thread only.
class ChartPages final
{
public:
    using Observer = std::function<void(const std::string& pageFile)>;

    // `pageFile`: where the page goes (grafico.html beside the report). The
    // collaborators must outlive this object.
    ChartPages(MainThread& mainThread, TextSink& LabelStatus, Prompts& prompts,
               std::shared_ptr<WebSourceMemory> web, std::string pageFile);
    // A chart on its way is stopped and waited for; it is never told.
    ~ChartPages();
    ChartPages(const ChartPages&) = delete;
    ChartPages& operator=(const ChartPages&) = delete;

    void setObserver(Observer observer) { m_observer = std::move(observer); }

    // The chart of `code` (as the table shows it) over `period`, with the web
    // source of `settings`.
    void open(const std::string& code, ChartPeriod period, const RequestSettings& settings,
              const HttpTimeouts& timeouts = {});

private:
    struct Job;
    void stopRunning();
    void finished(std::uint64_t job, bool written, const std::string& message);

    MainThread& m_mainThread;
    TextSink& m_status;
    Prompts& m_prompts;
    std::shared_ptr<WebSourceMemory> m_web;
    const std::string m_pageFile;
    Observer m_observer;
    std::unique_ptr<Job> m_running;
    std::uint64_t m_jobs = 0;
    // Reached by what the threads post, until this object goes.
    std::shared_ptr<ChartPages*> m_self;
};

} // namespace listorix
