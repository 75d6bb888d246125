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
    EXPECT_FALSE(parsed.options->alwaysOpen);
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
                                                       "--always-open",
                                                       "--consent-page",
                                                       "--retry-after=90",
                                                       "--tls-cert",
                                                       "c.pem",
                                                       "--tls-key=k.pem",
                                                       "--proxy-auth",
                                                       "mario:se:greta",
                                                       "--read-timeout",
                                                       "900",
                                                       "--consent-redirect",
                                                       "--edge-rate-limit=200",
                                                       "--quirk",
                                                       "midnight-rows",
                                                       "--quirk=stale-chart-previous-close",
                                                       "--quirk=long-decimals",
                                                       "--quirk=padded-names",
                                                       "--quirk=missing-keys",
                                                       "--currency",
                                                       "USD",
                                                       "--verbose"});
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
    EXPECT_TRUE(o.alwaysOpen);
    EXPECT_TRUE(o.faults.consentPage);
    EXPECT_EQ(o.faults.retryAfterSeconds, 90);
    EXPECT_EQ(o.tlsCertificateFile, "c.pem");
    EXPECT_EQ(o.tlsKeyFile, "k.pem");
    EXPECT_EQ(o.faults.proxyCredentials, "mario:se:greta");
    EXPECT_EQ(o.server.readTimeout, 900ms);
    EXPECT_TRUE(o.faults.consentRedirect);
    EXPECT_EQ(o.faults.edgeRateLimitStatus, 200);
    EXPECT_TRUE(o.faults.midnightRows);
    EXPECT_TRUE(o.faults.staleChartPreviousClose);
    EXPECT_TRUE(o.faults.longDecimals);
    EXPECT_EQ(o.faults.names, Faults::Names::Padded);
    EXPECT_TRUE(o.faults.missingKeys);
    EXPECT_EQ(o.faults.currency, "USD");
    EXPECT_TRUE(o.verbose);
    for (const auto& [quirk, names] : {std::pair{"long-name-only", Faults::Names::LongNameOnly},
                                       std::pair{"no-name", Faults::Names::None}})
        EXPECT_EQ(parseCommandLine({"--quirk", quirk}).options->faults.names, names) << quirk;
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
                                                         {"--always-open=1"},
                                                         {"--retry-after", "soon"},
                                                         {"--tls-cert", "c.pem"},
                                                         {"--tls-key", "k.pem"},
                                                         {"--colour"},
                                                         {"--quirk", "rounded"},
                                                         {"--quirk"},
                                                         {"--edge-rate-limit", "99"},
                                                         {"--currency", "U$D"},
                                                         {"8080"}};
    for (const auto& arguments : cases) {
        const ParsedCommandLine parsed = parseCommandLine(arguments);
        EXPECT_FALSE(parsed.options) << arguments.front();
        EXPECT_FALSE(parsed.error.empty());
    }
}

// Runs the program with these arguments and a free port, asks it for the target, and
// stops it with SIGTERM: the answer (empty when it printed no address) and whether it
// exited cleanly.
std::pair<std::string, bool> runProgram(std::vector<std::string> arguments, const std::string& target)
{
    const std::string program = std::string(LISTORIX_BINARY_DIR) + "/listorix-quoted";
    arguments.insert(arguments.begin(), {program, "--port", "0"});
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    int out[2];
    if (::pipe(out) != 0)
        return {"", false};
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(out[1], STDOUT_FILENO);
        ::close(out[0]);
        ::close(out[1]);
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
    ::close(out[1]);
    std::string printed;
    char c = 0;
    while (pid > 0 && printed.find('\n') == std::string::npos && ::read(out[0], &c, 1) == 1)
        printed += c;
    ::close(out[0]);

    const std::string prefix = "listorix-quoted: listening on http://127.0.0.1:";
    std::string answer;
    if (printed.rfind(prefix, 0) == 0)
        answer = testing::get(static_cast<std::uint16_t>(std::stoi(printed.substr(prefix.size()))), target);
    int status = 0;
    if (pid > 0) {
        ::kill(pid, SIGTERM);
        ::waitpid(pid, &status, 0);
    }
    return {answer, pid > 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0};
}

// The program itself: starts, says where it listens, answers, and ends cleanly on
// SIGTERM; with --always-open its market moves on a Sunday evening.
TEST(CommandLine, theProgramAnswersAndStopsOnSigterm)
{
    if (!std::filesystem::exists(std::string(LISTORIX_BINARY_DIR) + "/listorix-quoted"))
        GTEST_SKIP() << "listorix-quoted is not built";
    const std::string index = "/d/quotes.csv?s=^MIBTEL+^MIB30+^MIDEX+^SPMIB&f=sl1d1t1c1hgp";
    const auto [weekday, stopped] = runProgram({"--now", "2005-01-25T15:30"}, index);
    EXPECT_EQ(testing::bodyOf(weekday).rfind("\"^MIBTEL\";30697.56;1/25/2005;15:30;", 0), 0u) << weekday;
    EXPECT_TRUE(stopped);

    std::string sunday[2];
    for (const std::string minute : {"20:30", "20:31"}) {
        const auto [answer, ended] = runProgram({"--always-open", "--now", "2005-01-30T" + minute}, index);
        EXPECT_EQ(testing::splitFields(testing::bodyOf(answer))[2], "1/30/2005") << answer;
        EXPECT_EQ(testing::splitFields(testing::bodyOf(answer))[3], minute) << answer;
        EXPECT_TRUE(ended);
        sunday[minute == "20:31"] = testing::bodyOf(answer);
    }
    EXPECT_NE(sunday[0], sunday[1]);
    // A certificate that cannot be read ends the program with an error.
    EXPECT_FALSE(
        runProgram({"--tls-cert", "/nonexistent/c.pem", "--tls-key", "/nonexistent/k.pem"}, index).second);
    // Without the option, Sunday shows Friday's close.
    EXPECT_NE(
        testing::bodyOf(runProgram({"--now", "2005-01-30T20:30"}, index).first).find(";1/28/2005;17:30;"),
        std::string::npos);
}

} // namespace
} // namespace listorix::quoted
