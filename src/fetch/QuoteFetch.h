#pragma once

#include "fetch/FetchDispatch.h"
#include "fetch/Schedule.h"

#include <array>
#include <filesystem>
#include <optional>

namespace listorix {

class FetchIndicator;
class MainThread;
class Prompts;
class RequestSource;
class TConnessione;
class TextSink;
class TickTimer;

// The road from a due connection to its repainted table, in one owner: the five
// connections and their schedule, the fetch dispatch that runs one of them at a
// time with the workers of the source in force, and the commands that act on
// them (the tick, reload, stop, closing). Each connection is made with the sink
// its answers go to; how a live fetch ended is told to the observer. Main thread
// only.
class QuoteFetch final
{
public:
    struct Seams
    {
        MainThread& mainThread; // posted calls and serving events while waiting
        TickTimer& Timer1;      // calls Timer1Timer every second while enabled
        Prompts& prompts;       // the warning of a fetch started while one runs
        FetchIndicator& fetchIndicator;
        TextSink& LabelStatus;
        TextSink& LabelTransfer;
    };

    // `cacheDir` holds the cache files (ProgramDir). Everything must outlive the fetch.
    QuoteFetch(Seams seams, std::filesystem::path cacheDir, RequestSource& requests, FetchObserver& observer);
    // A fetch still running is abandoned: nothing parsed, cached or told.
    ~QuoteFetch();
    QuoteFetch(const QuoteFetch&) = delete;
    QuoteFetch& operator=(const QuoteFetch&) = delete;

    // Start-up: the five connections, in kConnectionOrder.
    void createConnections(const std::array<ConnectionDescription, 5>& descriptions);
    // Start-up: each cache file through its connection's sink, in the fixed order.
    void replayCaches();
    // The settings in force: the fixed interval of each row and whether each
    // connection is switched on.
    void applySettings(const std::array<bool, 5>& enabled);

    // The tick, Timer1's handler.
    void Timer1Timer() { m_schedule.Timer1Timer(m_dispatch); }
    // Reload on a page: waits until idle, then fetches the page's connection now
    // (due or not, enabled or not); a page without one (none) gives the hold back.
    void reload(std::optional<ConnectionId> page);
    // "Stop": a running request is closed and its completion waited for; the
    // connections that are due restart their countdowns; the hold is given back.
    void stop();
    // Closing: every connection switched off, so that no fetch starts any more.
    void switchOff() { m_schedule.switchOff(); }
    // Closing: a running fetch stops without parsing or caching its partial answer
    // and the timer stays off.
    void abandon();
    // After the shutdown's saves.
    void freeConnections() { m_schedule.freeConnections(); }
    // The running fetch ends after its current request (see FetchDispatch).
    void finishAfterCurrentRequest() { m_dispatch.finishAfterCurrentRequest(); }

    bool hasConnections() const { return m_schedule.hasConnections(); }
    // Only while the connections exist.
    TConnessione& connection(ConnectionId id) const { return m_schedule.connection(id); }
    TConnessione* CurrentConnection() const { return m_dispatch.CurrentConnection(); }
    const LineList& AnswerLines() const { return m_dispatch.AnswerLines(); }
    Schedule& schedule() { return m_schedule; }
    const Schedule& schedule() const { return m_schedule; }

private:
    Schedule m_schedule;
    FetchDispatch m_dispatch;
};

} // namespace listorix
