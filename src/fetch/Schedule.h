#pragma once

#include "base/LineList.h"

#include <array>
#include <memory>
#include <optional>

namespace listorix {

class FetchDispatch;
class MainThread;
class TConnessione;
class TextSink;
class TickTimer;

// The five connections, always visited in this order.
enum class ConnectionId
{
    Indici,
    Azioni,
    Obbligazioni,
    Derivati,
    Fondi,
};

inline constexpr std::array<ConnectionId, 5> kConnectionOrder = {ConnectionId::Indici, ConnectionId::Azioni,
                                                                 ConnectionId::Obbligazioni,
                                                                 ConnectionId::Derivati, ConnectionId::Fondi};

// The schedule: the five connections in their fixed order, the one-second tick
// that counts them down and dispatches the due ones, and the hold one fetch takes
// on all five (with the timer off) from its start to its end. Main thread only.
class Schedule final
{
public:
    // The collaborators must outlive the schedule.
    Schedule(TickTimer& Timer1, MainThread& mainThread, FetchDispatch& fetch);
    ~Schedule();
    Schedule(const Schedule&) = delete;
    Schedule& operator=(const Schedule&) = delete;

    // Start-up: the five connections from their request lists (copied), in the
    // fixed order, with their countdown labels (none where null) and the
    // construction intervals, 300 s for the indices and 900 s for the others.
    void createConnections(const std::array<const LineList*, 5>& requests,
                           const std::array<TextSink*, 5>& countdownLabels);
    // After the shutdown's saves.
    void freeConnections();
    bool hasConnections() const { return m_connections[0] != nullptr; }

    // Only while the connections exist.
    TConnessione& connection(ConnectionId id) const;
    std::optional<ConnectionId> idOf(const TConnessione& connection) const;

    // The tick: each connection in order is dispatched when due (if no fetch runs
    // and LockAll succeeds; at most one per tick) or else counted; the timer stays
    // off when a fetch was started.
    void Timer1Timer();
    // False, changing nothing, when any connection is locked; else the timer off
    // and all five locked.
    bool LockAll();
    // All five unlocked (funds first), the timer on.
    void UnlockAll();
    // Serves events until LockAll succeeds and no tick runs; the caller then holds
    // the lock and must start a fetch or call UnlockAll.
    void WaitUntilIdle();

    bool InTick() const { return m_inTick; }
    bool timerEnabled() const { return m_timerEnabled; }
    void setTimerEnabled(bool enabled);

private:
    TickTimer& m_timer;
    MainThread& m_mainThread;
    FetchDispatch& m_fetch;
    std::array<std::unique_ptr<TConnessione>, 5> m_connections;
    bool m_inTick = false;
    bool m_timerEnabled = false;
};

} // namespace listorix
