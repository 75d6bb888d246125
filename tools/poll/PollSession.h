#pragma once

#include "app/HeadlessToolkit.h"
#include "app/MainFormCore.h"
#include "base/EventLoop.h"
#include "poll/PollCommandLine.h"

#include <array>
#include <ostream>

namespace listorix::poll {

// One run of listorix-poll: the program's core with the core's event loop in place
// of a window. Start-up replays the caches; the tick then fetches what is due;
// every answered fetch prints its table, and the price alerts it fired go to the
// error stream as "Avviso: ..." lines; the shutdown saves as the program does.
class PollSession final
{
public:
    // The folder must exist. `out` gets the tables, `err` the status lines.
    PollSession(const PollOptions& options, std::ostream& out, std::ostream& err);
    ~PollSession();
    PollSession(const PollSession&) = delete;
    PollSession& operator=(const PollSession&) = delete;

    // Any thread: the first call ends the run once the current request has been
    // handled (none started after it), a later one at once.
    void requestStop();

    // Runs to the end: the exit status, 1 when the last fetch of a category failed.
    int run();

    MainFormCore& core() { return m_core; }

private:
    class StatusPrinter;

    void onStop();
    void onFetchEnded(ConnectionId id, FetchOutcome outcome);
    bool cyclesDone() const;
    void printTable(ConnectionId id);
    void printAlerts(const std::string& text);
    void printLine(const std::string& text);

    PollOptions m_options;
    std::ostream& m_out;
    std::ostream& m_err;
    EventLoop m_loop;
    HeadlessToolkit m_toolkit;
    MainFormCore m_core;
    std::unique_ptr<StatusPrinter> m_statusPrinter;
    // The status line that repeats the alerts just printed, not printed again.
    std::string m_alertsInStatus;
    std::array<int, 5> m_fetches{};
    std::array<bool, 5> m_lastFailed{};
    std::array<bool, 5> m_enabled{};
    int m_stops = 0;
};

} // namespace listorix::poll
