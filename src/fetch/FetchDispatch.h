#pragma once

#include "base/LineList.h"
#include "fetch/HttpWorker.h"

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
class TConnessione;
class TextSink;

inline constexpr std::string_view kFetchRunningWarning =
    "Un'altra connessione \xE8 gi\xE0 in corso, ritenta!";
inline constexpr std::string_view kStrayWorkerMessage = "ERRORE 666";
inline constexpr std::string_view kStartStatusPrefix = "Inizio connessione con ";
inline constexpr std::string_view kUrlErrorPrefix = "Errore contattando l'url: ";
inline constexpr std::string_view kConnectLabel = "CONNECT";
inline constexpr std::string_view kEndLabel = "END";

// How a live fetch ended.
enum class FetchOutcome
{
    Answered,  // the answer was parsed, cached, and the countdown restarted
    Failed,    // a request failed, or the parse routine refused or threw: retry in a minute
    Abandoned, // stopped by closing the program: nothing parsed or cached
};

// What the end of a fetch calls beyond the connections: wired by the program.
struct FetchHooks
{
    // After an answered fetch (RevaluePortfolio copies the new prices in).
    std::function<void()> RevaluePortfolio;
    // At the end of every live fetch: gives the schedule's hold back (UnlockAll).
    std::function<void()> UnlockAll;
    // Told last, once the fetch has ended, with the connection and the outcome.
    std::function<void(TConnessione&, FetchOutcome)> fetchEnded;
};

// The fetch of one connection: its request entries one after another, each by a
// new worker, the answers collected in AnswerLines and cleaned, then handed to the
// connection's parse routine, kept in its cache file, and the countdown restarted;
// a failed request ends the fetch with a retry a minute later. The same routine
// replays a cache file at start-up. At most one fetch runs. Main thread only.
class FetchDispatch final
{
public:
    // `cacheDir` holds the cache files (ProgramDir). The collaborators must outlive
    // the dispatch.
    FetchDispatch(MainThread& mainThread, Prompts& prompts, FetchIndicator& indicator, TextSink& LabelStatus,
                  TextSink& LabelTransfer, std::filesystem::path cacheDir, WorkerFactory makeWorker,
                  FetchHooks hooks);
    // A worker still running is closed and waited for; its completion never runs.
    ~FetchDispatch();
    FetchDispatch(const FetchDispatch&) = delete;
    FetchDispatch& operator=(const FetchDispatch&) = delete;

    // Replay (replay true): the connection's cache file through its parse routine,
    // every error swallowed; nothing else changes. Live: starts the fetch; the
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
    std::unique_ptr<HttpWorker> newWorker(TConnessione& connection);
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
    WorkerFactory m_makeWorker;
    FetchHooks m_hooks;

    TConnessione* m_current = nullptr;
    LineList m_answerLines;
    std::unique_ptr<HttpWorker> m_worker; // the request in progress
    std::unique_ptr<HttpWorker> m_spent;  // the previous one, whose completion may still be on the stack
    std::uint64_t m_completions = 0;      // completions run so far, for StopWorker's wait
    bool m_finishAfterRequest = false;
};

} // namespace listorix
