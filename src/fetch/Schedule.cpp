#include "fetch/Schedule.h"

#include "base/MainThread.h"
#include "fetch/FetchDispatch.h"
#include "fetch/TConnessione.h"
#include "fetch/TickTimer.h"

#include <cstddef>

namespace listorix {

Schedule::Schedule(TickTimer& Timer1, MainThread& mainThread) : m_timer(Timer1), m_mainThread(mainThread) {}

Schedule::~Schedule() = default;

void Schedule::createConnections(const std::array<ConnectionDescription, 5>& descriptions)
{
    for (std::size_t k = 0; k < m_connections.size(); ++k) {
        const ConnectionDescription& description = descriptions[k];
        const ConnectionId id = kConnectionOrder[k];
        m_connections[k] =
            std::make_unique<TConnessione>(id, description.requests, categoryOf(id).initialSeconds,
                                           description.countdownLabel, description.sink);
    }
}

void Schedule::freeConnections()
{
    for (auto& connection : m_connections)
        connection.reset();
}

TConnessione& Schedule::connection(ConnectionId id) const
{
    return *m_connections[indexOf(id)];
}

void Schedule::setTimerEnabled(bool enabled)
{
    m_timerEnabled = enabled;
    m_timer.setEnabled(enabled);
}

void Schedule::Timer1Timer(FetchDispatch& fetch)
{
    if (!hasConnections())
        return;
    m_inTick = true;
    setTimerEnabled(false);
    for (const auto& connection : m_connections) {
        if (connection->IsDue()) {
            // A due connection waits, uncounted, while another fetch runs.
            if (!fetch.CurrentConnection() && LockAll())
                fetch.StartFetch(*connection, false);
        } else {
            connection->Tick();
        }
    }
    if (!fetch.CurrentConnection())
        setTimerEnabled(true);
    m_inTick = false;
}

bool Schedule::anyLocked() const
{
    for (const auto& connection : m_connections) {
        if (connection->IsLocked())
            return true;
    }
    return false;
}

bool Schedule::LockAll()
{
    if (!hasConnections() || anyLocked())
        return false;
    setTimerEnabled(false);
    for (const auto& connection : m_connections)
        connection->Lock();
    return true;
}

void Schedule::UnlockAll()
{
    if (hasConnections()) {
        for (auto it = m_connections.rbegin(); it != m_connections.rend(); ++it)
            (*it)->Unlock();
    }
    setTimerEnabled(true);
}

void Schedule::WaitUntilIdle()
{
    while (hasConnections() && !LockAll())
        m_mainThread.serveEventsUntil([this] { return !hasConnections() || !anyLocked(); });
    m_mainThread.serveEventsUntil([this] { return !m_inTick; });
}

void Schedule::restartDue()
{
    if (!hasConnections())
        return;
    for (const auto& connection : m_connections) {
        if (connection->IsDue())
            connection->Restart();
    }
}

void Schedule::switchOff()
{
    if (!hasConnections())
        return;
    for (const auto& connection : m_connections)
        connection->Enabled = false;
}

} // namespace listorix
