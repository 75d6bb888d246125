#include "fetch/QuoteFetch.h"

#include "fetch/TConnessione.h"

#include <cstddef>
#include <utility>

namespace listorix {

QuoteFetch::QuoteFetch(Seams seams, std::filesystem::path cacheDir, RequestSource& requests,
                       FetchObserver& observer)
    : m_schedule(seams.Timer1, seams.mainThread),
      m_dispatch(seams.mainThread, seams.prompts, seams.fetchIndicator, seams.LabelStatus,
                 seams.LabelTransfer, std::move(cacheDir), requests, m_schedule, observer)
{
}

QuoteFetch::~QuoteFetch()
{
    abandon();
}

void QuoteFetch::createConnections(const std::array<ConnectionDescription, 5>& descriptions)
{
    m_schedule.createConnections(descriptions);
}

void QuoteFetch::replayCaches()
{
    if (!hasConnections())
        return;
    for (const ConnectionId id : kConnectionOrder)
        m_dispatch.StartFetch(connection(id), true);
}

void QuoteFetch::applySettings(const std::array<bool, 5>& enabled)
{
    if (!hasConnections())
        return;
    for (const ConnectionId id : kConnectionOrder)
        connection(id).SetIntervalMinutes(categoryOf(id).intervalMinutes);
    for (const ConnectionId id : kConnectionOrder)
        connection(id).Enabled = enabled[indexOf(id)];
}

void QuoteFetch::reload(std::optional<ConnectionId> page)
{
    if (!hasConnections())
        return;
    m_schedule.WaitUntilIdle();
    // The wait served events: the program may have been closed meanwhile.
    if (!hasConnections())
        return;
    if (!page) {
        m_schedule.UnlockAll();
        return;
    }
    m_dispatch.StartFetch(connection(*page), false);
}

void QuoteFetch::stop()
{
    if (m_dispatch.CurrentConnection()) {
        m_dispatch.StopWorker();
        m_schedule.restartDue();
    }
    m_schedule.UnlockAll();
}

void QuoteFetch::abandon()
{
    m_dispatch.abandonFetch();
}

} // namespace listorix
