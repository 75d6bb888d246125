#pragma once

#include <functional>

namespace listorix {

// The main thread's event loop as the core sees it. The Qt shell implements it
// over the application's event loop, listorix-poll and the tests over the core's
// EventLoop or a fake.
class MainThread
{
public:
    virtual ~MainThread() = default;

    // Any thread: `call` runs on the main thread after everything already queued
    // (the synchronised call and the termination notice of a worker). Never blocks
    // the caller and never runs `call` before returning.
    virtual void post(std::function<void()> call) = 0;

    // Main thread: serves events (posted calls, timers, user input) until `done`
    // answers true. `done` is asked first, and again after every event served;
    // while nothing is pending the wait blocks instead of spinning.
    virtual void serveEventsUntil(const std::function<bool()>& done) = 0;
};

} // namespace listorix
