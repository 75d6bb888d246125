#include "QuotedTestSupport.h"
#include "quoted/CommandLine.h"

#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/wait.h>

namespace listorix::quoted {
namespace {

using namespace std::chrono_literals;

TEST(CommandLine, noOptionsServeLoopbackOnTheDefaultPortWithTheMachineClock)
{
    const ParsedCommandLine parsed = parseCommandLine({});
    ASSERT_TRUE(parsed.options);
    EXPECT_EQ(parsed.options->server.bindAddress, "127.0.0.1");
    EXPECT_EQ(parsed.options->server.port, 8080);
    EXPECT_EQ(parsed.options->seed, 1u);
    EXPECT_FALSE(parsed.options->now);
    EXPECT_FALSE(parsed.options->dataFolder);
    EXPECT_TRUE(parsed.options->faults.failingPaths.empty());
}

TEST(CommandLine, everyOptionIsReadInBothForms)
{
    const ParsedCommandLine parsed = parseCommandLine({"--port",
                                                       "0",
                                                       "--bind=::1",
                                                       "--seed",
                                                       "42",
                                                       "--data",
                                                       "/tmp/d",
                                                       "--now=2005-01-25T15:30",
                                                       "--fail",
                                                       "/d/quotes.csv=503",
                                                       "--fail=/q/bc=404",
                                                       "--cut-after",
                                                       "100",
                                                       "--delay=250",
                                                       "--html-error-headless",
                                                       "--proxy-auth",
                                                       "mario:se:greta",
                                                       "--read-timeout",
                                                       "900",
                                                       "--verbose",
                                                       "--always-open"});
    ASSERT_TRUE(parsed.options) << parsed.error;
    const CommandLine& o = *parsed.options;
    EXPECT_EQ(o.server.port, 0);
    EXPECT_EQ(o.server.bindAddress, "::1");
    EXPECT_EQ(o.seed, 42u);
    EXPECT_EQ(o.dataFolder, "/tmp/d");
    EXPECT_EQ(formatIsoLocal(*o.now), "2005-01-25T15:30:00");
    EXPECT_EQ(o.faults.failingPaths, (std::map<std::string, int>{{"/d/quotes.csv", 503}, {"/q/bc", 404}}));
    EXPECT_EQ(o.faults.cutAfterBytes, 100u);
    EXPECT_EQ(o.faults.delay, 250ms);
    EXPECT_EQ(o.faults.htmlError, Faults::HtmlError::Headless);
    EXPECT_EQ(o.faults.proxyCredentials, "mario:se:greta");
    EXPECT_EQ(o.server.readTimeout, 900ms);
    EXPECT_TRUE(o.verbose);
    EXPECT_TRUE(o.alwaysOpen);
}

TEST(CommandLine, badOptionsAreRefusedWithAReason)
{
    const std::vector<std::vector<std::string>> cases = {{"--port", "65536"},
                                                         {"--port"},
                                                         {"--port", "-1"},
                                                         {"--seed", "x"},
                                                         {"--now", "today"},
                                                         {"--fail", "/x"},
                                                         {"--fail", "/x=200"},
                                                         {"--fail", "x=500"},
                                                         {"--delay", "1e3"},
                                                         {"--proxy-auth", "mario"},
                                                         {"--read-timeout", "0"},
                                                         {"--verbose=yes"},
                                                         {"--colour"},
                                                         {"8080"}};
    for (const auto& arguments : cases) {
        const ParsedCommandLine parsed = parseCommandLine(arguments);
        EXPECT_FALSE(parsed.options) << arguments.front();
        EXPECT_FALSE(parsed.error.empty());
    }
}

// The program itself: starts, says where it listens, answers, and ends cleanly on SIGTERM.
TEST(CommandLine, theProgramAnswersAndStopsOnSigterm)
{
    const std::string program = std::string(LISTORIX_BINARY_DIR) + "/listorix-quoted";
    if (!std::filesystem::exists(program))
        GTEST_SKIP() << "listorix-quoted is not built";
    int out[2];
    ASSERT_EQ(::pipe(out), 0);
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        ::dup2(out[1], STDOUT_FILENO);
        ::close(out[0]);
        ::close(out[1]);
        ::execl(program.c_str(), program.c_str(), "--port", "0", "--now", "2005-01-25T15:30", nullptr);
        ::_exit(127);
    }
    ::close(out[1]);
    std::string printed;
    char c = 0;
    while (printed.find('\n') == std::string::npos && ::read(out[0], &c, 1) == 1)
        printed += c;
    ::close(out[0]);

    const std::string prefix = "listorix-quoted: listening on http://127.0.0.1:";
    bool answered = false;
    if (printed.rfind(prefix, 0) == 0) {
        const auto port = static_cast<std::uint16_t>(std::stoi(printed.substr(prefix.size())));
        const std::string answer =
            testing::get(port, "/d/quotes.csv?s=^MIBTEL+^MIB30+^MIDEX+^SPMIB&f=sl1d1t1c1hgp");
        answered = testing::bodyOf(answer).rfind("\"^MIBTEL\";30697.56;1/25/2005;15:30;", 0) == 0;
    }
    ::kill(pid, SIGTERM);
    int status = 0;
    ::waitpid(pid, &status, 0);
    EXPECT_TRUE(answered) << printed;
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
}

} // namespace
} // namespace listorix::quoted
