#pragma once

#include "base/WakePipe.h"

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace listorix {

// The part of an HTTP client that another thread may touch: a request to close
// and the wake-up of the poll the client waits in. The client and whoever wants
// to stop it share it, so a stop that comes after the client is gone is harmless.
class CloseSignal final
{
public:
    CloseSignal() = default;
    CloseSignal(const CloseSignal&) = delete;
    CloseSignal& operator=(const CloseSignal&) = delete;

    // Any thread: ends the running request, or the next one when none runs yet,
    // and returns once no request runs any more.
    void close();

    // The client's own thread.
    bool tryBegin(); // false when a request already runs
    void end();      // forgets a close request and releases the callers of close()
    bool closeRequested() const { return m_closeRequested.load(std::memory_order_acquire); }
    int wakeFd() const { return m_wake.readFd(); }

private:
    std::mutex m_mutex;
    std::condition_variable m_idle;
    bool m_running = false;
    std::thread::id m_runner;
    std::atomic<bool> m_closeRequested{false};
    WakePipe m_wake;
};

} // namespace listorix
