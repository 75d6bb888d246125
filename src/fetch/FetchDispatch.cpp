#include "fetch/FetchDispatch.h"

#include "base/MainThread.h"
#include "base/Prompts.h"
#include "base/TextSink.h"
#include "fetch/CacheFile.h"
#include "fetch/CleanAnswer.h"
#include "fetch/FetchIndicator.h"
#include "fetch/RequestSource.h"
#include "fetch/Schedule.h"
#include "fetch/TConnessione.h"
#include "market/AnswerSink.h"

#include <exception>
#include <utility>

namespace listorix {

namespace {

// An observer runs whatever it meets: the fetch must end all the same.
template <typename Call>
void runGuarded(const Call& call) noexcept
{
    try {
        call();
    } catch (...) {
    }
}

} // namespace

FetchDispatch::FetchDispatch(MainThread& mainThread, Prompts& prompts, FetchIndicator& indicator,
                             TextSink& LabelStatus, TextSink& LabelTransfer, std::filesystem::path cacheDir,
                             RequestSource& requests, Schedule& schedule, FetchObserver& observer)
    : m_mainThread(mainThread), m_prompts(prompts), m_indicator(indicator), m_status(LabelStatus),
      m_transfer(LabelTransfer), m_cacheDir(std::move(cacheDir)), m_requests(requests), m_schedule(schedule),
      m_observer(observer)
{
}

FetchDispatch::~FetchDispatch()
{
    // The connections may be gone already: only the workers are touched.
    m_worker.reset();
    m_spent.reset();
}

std::filesystem::path FetchDispatch::cacheFilePath(const TConnessione& connection) const
{
    return m_cacheDir / connection.CacheFileName();
}

void FetchDispatch::StartFetch(TConnessione& connection, bool replay)
{
    if (!replay) {
        startLive(connection);
        return;
    }
    // The replay works on lines of its own, so that it never disturbs a running
    // fetch; whatever goes wrong on the way leaves the category as it is.
    try {
        LineList lines;
        if (!readCacheFile(cacheFilePath(connection), lines))
            return;
        if (connection.sink().take(lines, AnswerOrigin::Replay) == AnswerVerdict::Refused &&
            connection.category().refusedReplayRetries) {
            connection.RetryLater();
            m_status.setText(std::string(kConnectionFailedText));
        }
    } catch (...) {
    }
}

void FetchDispatch::startLive(TConnessione& connection)
{
    if (m_current) {
        m_prompts.warningOk(std::string(kFetchRunningWarning));
        return;
    }
    m_answerLines.clear();
    m_indicator.setFetching(true);
    m_current = &connection;
    if (connection.CountdownLabel)
        connection.CountdownLabel->setText(std::string(kConnectLabel));
    try {
        m_worker = newWorker();
        m_requestIndex = 0;
        takeEntry(*m_worker, connection);
        StartWorker();
    } catch (...) {
        // No worker could be made or started (no thread, no memory): the fetch
        // fails like a request that did.
        m_worker.reset();
        concludeFailed(connection, false);
    }
}

std::unique_ptr<HttpWorker> FetchDispatch::newWorker()
{
    std::unique_ptr<HttpWorker> worker = m_requests.newWorker();
    worker->OnDone = [this](HttpWorker& done) { OnWorkerDone(done); };
    worker->OnStatus = [this](HttpWorker& reporting) { ShowStatus(reporting); };
    return worker;
}

void FetchDispatch::takeEntry(HttpWorker& worker, const TConnessione& connection) const
{
    const std::string entry =
        m_requestIndex < connection.Requests.size() ? connection.Requests[m_requestIndex] : std::string();
    const std::size_t tab = entry.find('\t');
    const std::string path = entry.substr(0, tab);
    // An empty entry asks for nothing: its worker ends at once, as a failed request.
    worker.Url = path.empty() ? std::string() : m_requests.requestUrl(path);
    worker.DisplayName = tab == std::string::npos ? std::string() : entry.substr(tab + 1);
}

bool FetchDispatch::StartWorker()
{
    HttpWorker& worker = *m_worker;
    if (!worker.DisplayName.empty())
        worker.StatusText = std::string(kStartStatusPrefix) + worker.DisplayName;
    else if (!worker.Url.empty())
        worker.StatusText = std::string(kStartStatusPrefix) + worker.Url;
    else
        worker.StatusText.clear();
    ShowStatus(worker);
    if (!worker.OnDone)
        return false;
    worker.Resume();
    return true;
}

void FetchDispatch::ShowStatus(HttpWorker& worker)
{
    m_status.setText(worker.StatusText);
    m_transfer.setText({});
}

void FetchDispatch::OnWorkerDone(HttpWorker& worker)
{
    ++m_completions;
    if (!m_current)
        return; // the fetch was concluded without this worker
    TConnessione& connection = *m_current;
    if (&worker != m_worker.get())
        m_prompts.messageOk(std::string(kStrayWorkerMessage));

    // The worker is inside its own completion: it is freed at the next one, or
    // with the dispatch, never here.
    if (m_worker.get() == &worker)
        m_spent = std::move(m_worker);

    try {
        if (!worker.Succeeded) {
            concludeFailed(connection, false);
            return;
        }
        appendLines(worker.Body, m_answerLines);
        CleanAnswer(m_answerLines);
        ++m_requestIndex;
        if (m_requestIndex < connection.Requests.size()) {
            if (m_finishAfterRequest) {
                concludeAbandoned(connection);
                return;
            }
            m_worker = newWorker();
            takeEntry(*m_worker, connection);
            StartWorker();
            return;
        }
        completeAnswered(connection);
    } catch (...) {
        // Nothing escapes into the event loop: a fetch that met an error on the
        // way is a failed one.
        m_worker.reset();
        if (m_current == &connection)
            concludeFailed(connection, true);
    }
}

void FetchDispatch::completeAnswered(TConnessione& connection)
{
    AnswerVerdict verdict = AnswerVerdict::Refused;
    try {
        verdict = connection.sink().take(m_answerLines, AnswerOrigin::Live);
    } catch (...) {
        // A sink that failed on the way refused the answer.
    }
    // A refused answer (empty, or too short to read) and a parse that failed end
    // the fetch as a failed request does: nothing is cached, and it is retried.
    if (verdict == AnswerVerdict::Refused) {
        concludeFailed(connection, true);
        return;
    }
    const bool answered = !m_answerLines.empty();
    if (answered) {
        try {
            writeCacheFile(cacheFilePath(connection), m_answerLines);
        } catch (const std::exception& error) {
            // The previous cache file stays whole; the fetch itself has succeeded.
            m_status.setText(error.what());
        }
        connection.Restart();
    }
    EndFetch();
    runGuarded([&] { m_observer.answerRead(connection.id()); });
    finish(connection, answered ? FetchOutcome::Answered : FetchOutcome::Failed);
}

void FetchDispatch::concludeFailed(TConnessione& connection, bool sayRetry)
{
    connection.RetryLater();
    if (sayRetry)
        m_status.setText(std::string(kConnectionFailedText));
    m_answerLines.clear();
    EndFetch();
    finish(connection, FetchOutcome::Failed);
}

void FetchDispatch::concludeAbandoned(TConnessione& connection)
{
    m_answerLines.clear();
    EndFetch();
    finish(connection, FetchOutcome::Abandoned);
}

void FetchDispatch::EndFetch()
{
    m_indicator.setFetching(false);
    if (m_current && m_current->CountdownLabel)
        m_current->CountdownLabel->setText(std::string(kEndLabel));
    m_current = nullptr;
    m_finishAfterRequest = false;
}

void FetchDispatch::finish(TConnessione& connection, FetchOutcome outcome)
{
    runGuarded([&] { m_schedule.UnlockAll(); });
    runGuarded([&] { m_observer.fetchEnded(connection.id(), outcome); });
}

void FetchDispatch::StopWorker()
{
    if (!m_current || !m_worker)
        return;
    const std::uint64_t before = m_completions;
    m_worker->Close();
    m_mainThread.serveEventsUntil([&] { return m_completions != before; });
}

void FetchDispatch::abandonFetch()
{
    if (!m_current)
        return;
    TConnessione& connection = *m_current;
    // Freeing the worker closes its request and waits for its thread; what it
    // posted finds it gone, so its partial answer is never parsed or cached.
    m_worker.reset();
    concludeAbandoned(connection);
}

void FetchDispatch::finishAfterCurrentRequest()
{
    if (m_current)
        m_finishAfterRequest = true;
}

} // namespace listorix
