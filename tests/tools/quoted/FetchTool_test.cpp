// listorix-fetch, the program's HTTP client on the command line, against the service.
#include "QuotedTestSupport.h"
#include "base/UniqueFd.h"
#include "http/Base64.h"
#include "market/RequestList.h"

#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

extern char** environ;

namespace listorix::quoted {
namespace {

using namespace std::chrono_literals;
using testing::RunningServer;

struct ProgramRun
{
    bool ended = false; // false: killed when its time ran out
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs `program` with stdin from /dev/null, collecting stdout and stderr; a run that
// outlasts `timeout` is killed, so the test always ends.
ProgramRun runProgram(const std::string& program, const std::vector<std::string>& arguments,
                      std::chrono::milliseconds timeout = 20s)
{
    int out[2];
    int err[2];
    if (::pipe2(out, O_CLOEXEC) != 0)
        throw std::runtime_error("pipe");
    UniqueFd outRead(out[0]);
    UniqueFd outWrite(out[1]);
    if (::pipe2(err, O_CLOEXEC) != 0)
        throw std::runtime_error("pipe");
    UniqueFd errRead(err[0]);
    UniqueFd errWrite(err[1]);

    posix_spawn_file_actions_t actions;
    ::posix_spawn_file_actions_init(&actions);
    ::posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    ::posix_spawn_file_actions_adddup2(&actions, outWrite.get(), STDOUT_FILENO);
    ::posix_spawn_file_actions_adddup2(&actions, errWrite.get(), STDERR_FILENO);
    std::vector<std::string> words{program};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    pid_t pid = -1;
    const int spawned = ::posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    ::posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        throw std::runtime_error("cannot start " + program);
    outWrite.reset();
    errWrite.reset();

    ProgramRun run;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    const auto msLeft = [&] {
        return std::max<long>(0, std::chrono::duration_cast<std::chrono::milliseconds>(
                                     deadline - std::chrono::steady_clock::now())
                                     .count());
    };
    struct Stream
    {
        UniqueFd& fd;
        std::string& text;
    };
    Stream streams[] = {{outRead, run.out}, {errRead, run.err}};
    while ((outRead.valid() || errRead.valid()) && msLeft() > 0) {
        pollfd fds[2];
        Stream* polled[2];
        nfds_t count = 0;
        for (Stream& s : streams) {
            if (s.fd.valid()) {
                polled[count] = &s;
                fds[count++] = {s.fd.get(), POLLIN, 0};
            }
        }
        if (::poll(fds, count, static_cast<int>(msLeft())) <= 0)
            continue;
        for (nfds_t k = 0; k < count; ++k) {
            if (fds[k].revents == 0)
                continue;
            char chunk[4096];
            const ssize_t n = ::read(fds[k].fd, chunk, sizeof chunk);
            if (n <= 0)
                polled[k]->fd.reset();
            else
                polled[k]->text.append(chunk, static_cast<std::size_t>(n));
        }
    }

    int status = 0;
    pid_t waited = 0;
    while ((waited = ::waitpid(pid, &status, WNOHANG)) == 0 && msLeft() > 0)
        std::this_thread::sleep_for(10ms);
    if (waited == 0) {
        ::kill(pid, SIGKILL);
        ::waitpid(pid, &status, 0);
        return run;
    }
    run.ended = WIFEXITED(status);
    run.exitCode = run.ended ? WEXITSTATUS(status) : -1;
    return run;
}

std::string fetchProgram()
{
    return std::string(LISTORIX_BINARY_DIR) + "/listorix-fetch";
}

TEST(ListorixFetch, printsWhatTheServiceAnswersForTheIndexAndACategory)
{
    if (!std::filesystem::exists(fetchProgram()))
        GTEST_SKIP() << "listorix-fetch is not built";
    RunningServer running;
    const std::string host = "127.0.0.1:" + std::to_string(running.port());
    const std::string fundsTarget =
        "/d/quotes.csv?s=" + testing::joinSymbols(testing::sampleTickers("F_fondi.lst")) +
        std::string(kCategoryFields);
    for (const std::string& target : {std::string(kIndexRequest), fundsTarget}) {
        SCOPED_TRACE(target);
        const std::string expected = testing::bodyOf(testing::get(running.port(), target));
        ASSERT_FALSE(expected.empty());
        const ProgramRun run = runProgram(fetchProgram(), {"http://" + host + target});
        EXPECT_TRUE(run.ended);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(run.out, expected);
        EXPECT_EQ(run.err, "200 OK\n");
    }
}

TEST(ListorixFetch, goesThroughTheServiceAsAProxyWithBasicCredentials)
{
    if (!std::filesystem::exists(fetchProgram()))
        GTEST_SKIP() << "listorix-fetch is not built";
    Faults faults;
    faults.proxyCredentials = "mario:segreta";
    RunningServer running(faults);
    const std::string proxy = "127.0.0.1:" + std::to_string(running.port());
    // The origin's name is never resolved: the proxy gets the whole URL.
    const std::string url = "http://quotes.example:8080/d/quotes.csv?s=ENI.MI+^MIBTEL&f=snl1d1t1";
    const std::string expected = testing::bodyOf(
        testing::exchange(running.port(), "GET " + url + " HTTP/1.0\r\nProxy-Authorization: Basic " +
                                              base64Encode("mario:segreta") + "\r\n\r\n"));
    ASSERT_EQ(expected.rfind("\"ENI.MI\";\"ENI\";", 0), 0u) << expected;

    const ProgramRun run = runProgram(
        fetchProgram(), {"--proxy", proxy, "--proxy-user", "mario", "--proxy-password", "segreta", url});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, expected);
    EXPECT_EQ(run.err, "200 OK\n");

    // With the wrong password the challenge stands: the client reports it, it is no failure.
    const ProgramRun refused = runProgram(
        fetchProgram(), {"--proxy", proxy, "--proxy-user", "mario", "--proxy-password", "sbagliata", url});
    EXPECT_EQ(refused.exitCode, 0) << refused.err;
    EXPECT_EQ(refused.err, "407 Proxy Authentication Required\n");
    EXPECT_EQ(refused.out.find("\"ENI.MI\""), std::string::npos);
}

TEST(ListorixFetch, anErrorStatusExitsOneWithTheServiceReason)
{
    if (!std::filesystem::exists(fetchProgram()))
        GTEST_SKIP() << "listorix-fetch is not built";
    RunningServer running;
    const ProgramRun run =
        runProgram(fetchProgram(), {"http://127.0.0.1:" + std::to_string(running.port()) + "/nowhere"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "Not Found (404)\n");
    EXPECT_EQ(run.out, "");
}

} // namespace
} // namespace listorix::quoted
