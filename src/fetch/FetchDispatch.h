#pragma once

#include "base/LineList.h"
#include "fetch/HttpWorker.h"
#include "market/Categories.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace listorix {

class FetchIndicator;
class MainThread;
class Prompts;
class RequestSource;
class Schedule;
class TConnessione;
class TextSink;

inline constexpr std::string_view kFetchRunningWarning =
    "Un'altra connessione \xE8 gi\xE0 in corso, ritenta!";
inline constexpr std::string_view kStrayWorkerMessage = "ERRORE 666";
inline constexpr std::string_view kStartStatusPrefix = "Inizio connessione con ";
inline constexpr std::string_view kUrlErrorPrefix = "Errore contattando l'url: ";
inline constexpr std::string_view kConnectLabel = "CONNECT";
inline constexpr std::string_view kEndLabel = "END";
// The status text when a category's answer cannot be used and the connection
// tries again in a minute.
inline constexpr std::string_view kConnectionFailedText = "Connessione fallita, ritento fra un minuto";

// How a live fetch ended.
enum class FetchOutcome
{
    Answered,  // the answer was parsed, cached, and the countdown restarted
    Failed,    // a request failed, or the parse routine refused or threw: retry in a minute
    Abandoned, // stopped by closing the program: nothing parsed or cached
};

// Who hears how live fetches end, beyond the schedule: the program, which then
// revalues the portfolio, and listorix-poll, which prints the table.
class FetchObserver
{
public:
    virtual ~FetchObserver() = default;

    // A live fetch's answer has been read into its table or panel; the fetch has
    // ended and the schedule's hold is not yet given back.
    virtual void answerRead(ConnectionId id) = 0;
    // Last, once a live fetch has ended and the hold has been given back.
    virtual void fetchEnded(ConnectionId id, FetchOutcome outcome) = 0;
};

// The fetch of one connection: its request entries one after another, each by a
// new worker, the answers collected in AnswerLines and cleaned, then handed to the
// connection's sink, kept in its cache file, and the countdown restarted. A failed
// request, and an answer the sink refuses, end the fetch with a retry a minute
// later: the dispatch alone schedules it and says so. The same routine replays a
// cache file at start-up. At most one fetch runs; its end gives the schedule's
// hold back. Main thread only.
class FetchDispatch final
{
public:
    // `cacheDir` holds the cache files (ProgramDir). The collaborators must outlive
    // the dispatch.
    FetchDispatch(MainThread& mainThread, Prompts& prompts, FetchIndicator& indicator, TextSink& LabelStatus,
                  TextSink& LabelTransfer, std::filesystem::path cacheDir, RequestSource& requests,
                  Schedule& schedule, FetchObserver& observer);
    // A worker still running is closed and waited for; its completion never runs.
    ~FetchDispatch();
    FetchDispatch(const FetchDispatch&) = delete;
    FetchDispatch& operator=(const FetchDispatch&) = delete;

    // Replay (replay true): the connection's cache file through its sink, every
    // error swallowed; a refused answer retries in a minute (and says so) only
    // where the category's row says so. Live: starts the fetch; the
    // caller holds the schedule's lock, which the fetch's end gives back. A live
    // start while a fetch runs only warns ("Un'altra connessione è già in corso,
    // ritenta!").
    void StartFetch(TConnessione& connection, bool replay);

    // The stop command's part: closes the running request and waits, serving
    // events, until its completion has run. The fetch then goes on with its next
    // entry, or ends with what arrived. Nothing when no fetch runs.
    void StopWorker();

    // Closing the program: stops the running fetch without parsing or caching its
    // partial answer, ends it (EndFetch, UnlockAll) and returns when no worker runs.
    void abandonFetch();

    // The running fetch ends once its current request has been handled: when more
    // entries remain they are not fetched and nothing is parsed or cached (the
    // outcome is Abandoned). Cleared when that fetch ends.
    void finishAfterCurrentRequest();

    // The connection whose fetch runs; none between fetches and during a replay.
    TConnessione* CurrentConnection() const { return m_current; }
    const LineList& AnswerLines() const { return m_answerLines; }
    // Where a connection's cache file lies.
    std::filesystem::path cacheFilePath(const TConnessione& connection) const;

private:
    void startLive(TConnessione& connection);
    std::unique_ptr<HttpWorker> newWorker();
    void takeEntry(HttpWorker& worker, const TConnessione& connection) const;
    bool StartWorker();
    void ShowStatus(HttpWorker& worker);
    void OnWorkerDone(HttpWorker& worker);
    void completeAnswered(TConnessione& connection);
    void concludeFailed(TConnessione& connection, bool sayRetry);
    void concludeAbandoned(TConnessione& connection);
    void EndFetch();
    void finish(TConnessione& connection, FetchOutcome outcome);

    MainThread& m_mainThread;
    Prompts& m_prompts;
    FetchIndicator& m_indicator;
    TextSink& m_status;
    TextSink& m_transfer;
    std::filesystem::path m_cacheDir;
    RequestSource& m_requests;
    Schedule& m_schedule;
    FetchObserver& m_observer;

    TConnessione* m_current = nullptr;
    // The entry of the current connection being fetched.
    std::size_t m_requestIndex = 0;
    LineList m_answerLines;
    std::unique_ptr<HttpWorker> m_worker; // the request in progress
    std::unique_ptr<HttpWorker> m_spent;  // the previous one, whose completion may still be on the stack
    std::uint64_t m_completions = 0;      // completions run so far, for StopWorker's wait
    bool m_finishAfterRequest = false;
};

} // namespace listorix
