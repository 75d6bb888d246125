#pragma once

#include <memory>

namespace listorix {

class HttpWorker;
class MainThread;

// How a worker's thread reports to the main thread: it posts the two callbacks
// HttpWorker names, OnStatus and then OnDone (after which the worker's Body is
// cleared). The posted calls reach the worker only until its destructor cuts
// them off, which it does first, on the main thread where they run; a call that
// arrives later finds nobody to report to.
class WorkerReports
{
public:
    WorkerReports(MainThread& mainThread, HttpWorker& worker);
    WorkerReports(const WorkerReports&) = delete;
    WorkerReports& operator=(const WorkerReports&) = delete;

    // Main thread: the calls still queued, and those posted later, do nothing.
    void cutOff();
    // Any thread: posts the worker's OnStatus.
    void postStatus() const;
    // Any thread: posts the worker's OnDone, then the clearing of its Body.
    void postDone() const;

private:
    struct Target
    {
        HttpWorker* worker;
    };

    MainThread& m_mainThread;
    // Shared with the posted calls, so that it outlives the worker as an empty shell.
    std::shared_ptr<Target> m_target;
};

} // namespace listorix
