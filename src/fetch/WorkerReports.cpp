#include "fetch/WorkerReports.h"

#include "base/MainThread.h"
#include "fetch/HttpWorker.h"

namespace listorix {

WorkerReports::WorkerReports(MainThread& mainThread, HttpWorker& worker)
    : m_mainThread(mainThread), m_target(std::make_shared<Target>(Target{&worker}))
{
}

void WorkerReports::cutOff()
{
    m_target->worker = nullptr;
}

void WorkerReports::postStatus() const
{
    m_mainThread.post([target = m_target] {
        if (target->worker && target->worker->OnStatus)
            target->worker->OnStatus(*target->worker);
    });
}

void WorkerReports::postDone() const
{
    m_mainThread.post([target = m_target] {
        HttpWorker* const worker = target->worker;
        if (!worker)
            return;
        if (worker->OnDone)
            worker->OnDone(*worker);
        worker->Body.clear();
    });
}

} // namespace listorix
