#pragma once

#include "base/LineList.h"
#include "market/Categories.h"

#include <array>
#include <memory>

namespace listorix {

class AnswerSink;
class FetchDispatch;
class MainThread;
class TConnessione;
class TextSink;
class TickTimer;

// What a connection is made from, besides its row of the category table: its
// request entries, its countdown label (none where null) and the sink its answers
// go to, bound to its table or panel.
struct ConnectionDescription
{
    const LineList& requests;
    TextSink* countdownLabel;
    AnswerSink& sink;
};

// The schedule: the five connections in their fixed order, the one-second tick
// that counts them down and hands the due ones to the fetch, and the hold one
// fetch takes on all five (with the timer off) from its start to its end. Main
// thread only.
class Schedule final
{
public:
    // The collaborators must outlive the schedule.
    Schedule(TickTimer& Timer1, MainThread& mainThread);
    ~Schedule();
    Schedule(const Schedule&) = delete;
    Schedule& operator=(const Schedule&) = delete;

    // Start-up: the five connections in the fixed order, each with the interval of
    // its row (300 s for the indices, 900 s for the others) until the settings apply.
    void createConnections(const std::array<ConnectionDescription, 5>& descriptions);
    // After the shutdown's saves.
    void freeConnections();
    bool hasConnections() const { return m_connections[0] != nullptr; }

    // Only while the connections exist.
    TConnessione& connection(ConnectionId id) const;

    // The tick: each connection in order is handed to `fetch` when due (if no
    // fetch runs and LockAll succeeds; at most one per tick) or else counted; the
    // timer stays off when a fetch was started.
    void Timer1Timer(FetchDispatch& fetch);
    // False, changing nothing, when any connection is locked; else the timer off
    // and all five locked.
    bool LockAll();
    // All five unlocked (funds first), the timer on.
    void UnlockAll();
    // Serves events until LockAll succeeds and no tick runs; the caller then holds
    // the lock and must start a fetch or call UnlockAll.
    void WaitUntilIdle();
    // Each connection that is due starts its interval again (the stop command).
    void restartDue();
    // Every connection switched off (closing the program).
    void switchOff();

    bool InTick() const { return m_inTick; }
    bool timerEnabled() const { return m_timerEnabled; }
    void setTimerEnabled(bool enabled);

private:
    bool anyLocked() const;

    TickTimer& m_timer;
    MainThread& m_mainThread;
    std::array<std::unique_ptr<TConnessione>, 5> m_connections;
    bool m_inTick = false;
    bool m_timerEnabled = false;
};

} // namespace listorix
