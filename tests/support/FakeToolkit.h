#pragma once

// Fakes of the toolkit seams and of the request workers, for tests of the fetch
// and the schedule: everything runs on the test's thread, and the test decides when
// a request ends.

#include "base/MainThread.h"
#include "base/TextSink.h"
#include "fetch/FetchDispatch.h"
#include "fetch/FetchIndicator.h"
#include "fetch/HttpWorker.h"
#include "fetch/RequestSource.h"
#include "fetch/TickTimer.h"

#include <algorithm>
#include <deque>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace listorix::test {

// Every text a label was given, in order.
class RecordingSink final : public TextSink
{
public:
    void setText(const std::string& text) override { texts.push_back(text); }
    std::string last() const { return texts.empty() ? std::string() : texts.back(); }

    std::vector<std::string> texts;
};

// Posted calls wait in a queue until the test (or a wait of the core) runs them.
class FakeMainThread final : public MainThread
{
public:
    void post(std::function<void()> call) override { queue.push_back(std::move(call)); }
    void serveEventsUntil(const std::function<bool()>& done) override
    {
        ++waits;
        while (!done()) {
            if (queue.empty()) {
                ADD_FAILURE() << "the core waits for an event that never comes";
                return;
            }
            runOne();
        }
    }
    void runAll()
    {
        while (!queue.empty())
            runOne();
    }

    std::deque<std::function<void()>> queue;
    int waits = 0;

private:
    void runOne()
    {
        auto call = std::move(queue.front());
        queue.pop_front();
        call();
    }
};

class RecordingIndicator final : public FetchIndicator
{
public:
    void setFetching(bool value) override { changes.push_back(value); }
    bool fetching() const { return !changes.empty() && changes.back(); }

    std::vector<bool> changes;
};

class FakeTimer final : public TickTimer
{
public:
    void setEnabled(bool value) override
    {
        enabled = value;
        if (value)
            ++enables;
    }

    bool enabled = false;
    int enables = 0; // how often it was switched on
};

class FakeWorkers;

// A worker whose request ends when the test says so. It reports as a thread
// would: ShowStatus and the completion are posted to the main thread.
class FakeWorker final : public HttpWorker
{
public:
    explicit FakeWorker(FakeWorkers& pool);
    ~FakeWorker() override;

    void Resume() override;
    // A close ends the request with what arrived (`partial`), as the client's does.
    void Close() override
    {
        ++closes;
        if (resumed && !ended)
            finish(true, partial);
    }

    // The request ends: a failure shows the URL in the status line.
    void finish(bool succeeded, std::string body = {})
    {
        ended = true;
        if (!Url.empty()) {
            Succeeded = succeeded;
            Body = std::move(body);
            StatusText = succeeded ? std::string() : std::string(kUrlErrorPrefix) + Url;
            m_mainThread.post([alive = m_alive] {
                if (*alive && (*alive)->OnStatus)
                    (*alive)->OnStatus(**alive);
            });
        }
        m_mainThread.post([alive = m_alive] {
            if (*alive) {
                FakeWorker& worker = **alive;
                if (worker.OnDone)
                    worker.OnDone(worker);
                worker.Body.clear();
            }
        });
    }

    bool resumed = false;
    bool ended = false;
    int closes = 0;
    std::string partial;

private:
    FakeWorkers& m_pool;
    MainThread& m_mainThread;
    std::shared_ptr<FakeWorker*> m_alive = std::make_shared<FakeWorker*>(this);
};

// Makes the fake workers and keeps track of them while they live. A request
// entry's path is its URL as it stands.
class FakeWorkers final : public RequestSource
{
public:
    explicit FakeWorkers(FakeMainThread& mainThread) : mainThread(mainThread) {}

    std::string requestUrl(std::string_view path) const override { return std::string(path); }
    std::unique_ptr<HttpWorker> newWorker() override { return std::make_unique<FakeWorker>(*this); }

    // The worker whose request runs; fails the test when there is none.
    FakeWorker& running()
    {
        for (FakeWorker* worker : alive) {
            if (worker->resumed && !worker->ended)
                return *worker;
        }
        throw std::logic_error("no request runs");
    }
    bool anyRunning() const
    {
        return std::any_of(alive.begin(), alive.end(),
                           [](const FakeWorker* worker) { return worker->resumed && !worker->ended; });
    }
    // The running request ends, and the main thread serves what it posted.
    void answer(std::string body)
    {
        running().finish(true, std::move(body));
        mainThread.runAll();
    }
    void fail()
    {
        running().finish(false);
        mainThread.runAll();
    }

    FakeMainThread& mainThread;
    std::vector<FakeWorker*> alive;
    std::vector<std::string> requested; // the URL of every resumed worker, in order
    int made = 0;
};

inline FakeWorker::FakeWorker(FakeWorkers& pool) : m_pool(pool), m_mainThread(pool.mainThread)
{
    ++pool.made;
    pool.alive.push_back(this);
}

inline FakeWorker::~FakeWorker()
{
    *m_alive = nullptr;
    m_pool.alive.erase(std::remove(m_pool.alive.begin(), m_pool.alive.end(), this), m_pool.alive.end());
}

inline void FakeWorker::Resume()
{
    resumed = true;
    m_pool.requested.push_back(Url);
    // A worker without a URL ends at once, without a request.
    if (Url.empty())
        finish(false);
}

} // namespace listorix::test
