#pragma once

#include <chrono>
#include <csignal>
#include <exception>
#include <functional>
#include <optional>
#include <poll.h>
#include <stdexcept>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>

namespace listorix::test {

// Work done in a forked child process, so that a second writer is a real second
// process, and so that work which might block or run away can be given a time
// limit and killed. The work returns an empty text when all went well, else
// what went wrong; an exception it throws counts as what went wrong.
class ChildProcess final
{
public:
    explicit ChildProcess(const std::function<std::string()>& work)
    {
        int fds[2];
        if (::pipe(fds) != 0)
            throw std::runtime_error("pipe");
        m_pid = ::fork();
        if (m_pid < 0)
            throw std::runtime_error("fork");
        if (m_pid == 0) {
            ::close(fds[0]);
            std::string report;
            try {
                report = work();
            } catch (const std::exception& e) {
                report = std::string("exception: ") + e.what();
            } catch (...) {
                report = "unknown exception";
            }
            for (std::size_t sent = 0; sent < report.size();) {
                const ssize_t n = ::write(fds[1], report.data() + sent, report.size() - sent);
                if (n <= 0)
                    break;
                sent += static_cast<std::size_t>(n);
            }
            ::_exit(0); // no test framework clean-up in the child
        }
        ::close(fds[1]);
        m_report = fds[0];
    }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    ~ChildProcess()
    {
        if (m_pid > 0) {
            ::kill(m_pid, SIGKILL);
            ::waitpid(m_pid, nullptr, 0);
        }
        if (m_report >= 0)
            ::close(m_report);
    }

    // What the child reported once it ended; nothing when it had not ended
    // within `timeout`, and was killed.
    std::optional<std::string> finish(std::chrono::milliseconds timeout)
    {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        std::string report;
        for (;;) {
            const auto left =
                std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0)
                return std::nullopt; // the destructor kills it
            pollfd fd = {m_report, POLLIN, 0};
            const int ready = ::poll(&fd, 1, static_cast<int>(left.count()));
            if (ready < 0)
                continue;
            if (ready == 0)
                return std::nullopt;
            char buffer[512];
            const ssize_t n = ::read(m_report, buffer, sizeof buffer);
            if (n <= 0)
                break;
            report.append(buffer, static_cast<std::size_t>(n));
        }
        int status = 0;
        ::waitpid(std::exchange(m_pid, -1), &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
            report += " (the child ended abnormally, status " + std::to_string(status) + ")";
        return report;
    }

private:
    pid_t m_pid = -1;
    int m_report = -1;
};

} // namespace listorix::test
