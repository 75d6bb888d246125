#include "fetch/Schedule.h"

#include "base/MainThread.h"
#include "fetch/FetchDispatch.h"
#include "fetch/TConnessione.h"
#include "fetch/TickTimer.h"

#include <cstddef>

namespace listorix {

namespace {

constexpr std::int32_t kIndexConstructionSeconds = 300;
constexpr std::int32_t kCategoryConstructionSeconds = 900;

} // namespace

Schedule::Schedule(TickTimer& Timer1, MainThread& mainThread, FetchDispatch& fetch)
    : m_timer(Timer1), m_mainThread(mainThread), m_fetch(fetch)
{
}

Schedule::~Schedule() = default;

void Schedule::createConnections(const std::array<const LineList*, 5>& requests,
                                 const std::array<TextSink*, 5>& countdownLabels)
{
    for (std::size_t k = 0; k < m_connections.size(); ++k) {
        static const LineList none;
        m_connections[k] = std::make_unique<TConnessione>(
            requests[k] ? *requests[k] : none,
            k == 0 ? kIndexConstructionSeconds : kCategoryConstructionSeconds, countdownLabels[k]);
    }
}

void Schedule::freeConnections()
{
    for (auto& connection : m_connections)
        connection.reset();
}

TConnessione& Schedule::connection(ConnectionId id) const
{
    return *m_connections[static_cast<std::size_t>(id)];
}

std::optional<ConnectionId> Schedule::idOf(const TConnessione& connection) const
{
    for (const ConnectionId id : kConnectionOrder) {
        if (m_connections[static_cast<std::size_t>(id)].get() == &connection)
            return id;
    }
    return std::nullopt;
}

void Schedule::setTimerEnabled(bool enabled)
{
    m_timerEnabled = enabled;
    m_timer.setEnabled(enabled);
}

void Schedule::Timer1Timer()
{
    if (!hasConnections())
        return;
    m_inTick = true;
    setTimerEnabled(false);
    for (const auto& connection : m_connections) {
        if (connection->IsDue()) {
            // A due connection waits, uncounted, while another fetch runs.
            if (!m_fetch.CurrentConnection() && LockAll())
                m_fetch.StartFetch(*connection, false);
        } else {
            connection->Tick();
        }
    }
    if (!m_fetch.CurrentConnection())
        setTimerEnabled(true);
    m_inTick = false;
}

bool Schedule::LockAll()
{
    if (!hasConnections())
        return false;
    for (const auto& connection : m_connections) {
        if (connection->IsLocked())
            return false;
    }
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
        m_mainThread.serveEventsUntil([this] {
            if (!hasConnections())
                return true;
            for (const auto& connection : m_connections) {
                if (connection->IsLocked())
                    return false;
            }
            return true;
        });
    m_mainThread.serveEventsUntil([this] { return !m_inTick; });
}

} // namespace listorix
