// The core's event loop: calls posted from other threads in order, timers on an
// injected clock, and the end of run() from another thread.
#include "base/EventLoop.h"

#include <chrono>
#include <gtest/gtest.h>
#include <thread>
#include <vector>

namespace listorix {
namespace {

using namespace std::chrono_literals;

TEST(EventLoop, callsPostedFromOtherThreadsRunOnTheServingThreadInOrder)
{
    EventLoop loop;
    std::vector<int> ran;
    const auto serving = std::this_thread::get_id();
    std::thread poster([&] {
        for (int k = 0; k < 100; ++k)
            loop.post([&, k] {
                EXPECT_EQ(std::this_thread::get_id(), serving);
                ran.push_back(k);
            });
    });
    loop.serveEventsUntil([&] { return ran.size() == 100; });
    poster.join();
    for (int k = 0; k < 100; ++k)
        ASSERT_EQ(ran[static_cast<std::size_t>(k)], k);
}

TEST(EventLoop, aTimerFiresEachPeriodWhileEnabledAndRestartsWhenEnabledAgain)
{
    auto clock = std::make_unique<VirtualLoopClock>();
    VirtualLoopClock& time = *clock;
    EventLoop loop(std::move(clock));
    std::vector<LoopClock::TimePoint> fired;
    const EventLoop::TimerId timer = loop.addTimer(1s, [&] { fired.push_back(time.now()); });
    const LoopClock::TimePoint start = time.now();

    EXPECT_EQ(loop.servePending(), 0u); // disabled at creation
    loop.setTimerEnabled(timer, true);
    loop.serveEventsUntil([&] { return fired.size() == 3; });
    EXPECT_EQ(fired, (std::vector<LoopClock::TimePoint>{start + 1s, start + 2s, start + 3s}));

    // Disabled half-way through a period and enabled again: a full period from then.
    time.advance(500ms);
    loop.setTimerEnabled(timer, false);
    time.advance(2s);
    EXPECT_EQ(loop.servePending(), 0u);
    loop.setTimerEnabled(timer, true);
    loop.serveEventsUntil([&] { return fired.size() == 4; });
    EXPECT_EQ(fired.back(), start + 3s + 500ms + 2s + 1s);
}

TEST(EventLoop, quitFromAnotherThreadEndsRun)
{
    EventLoop loop;
    bool served = false;
    std::thread stopper([&] {
        loop.post([&] { served = true; });
        loop.quit();
    });
    loop.run();
    stopper.join();
    EXPECT_TRUE(loop.quitRequested());
    loop.run(); // returns at once once asked to quit
}

} // namespace
} // namespace listorix
