// listorix-poll as a user runs it: the built program as a child process against
// the demo quote service on loopback.
#include "PollTestSupport.h"
#include "QuotedTestSupport.h"
#include "poll/PollCommandLine.h"

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace listorix {
namespace {

using namespace std::chrono_literals;
using quoted::testing::RunningServer;
using test::ProgramFolder;

// The program started with `arguments`, its output and errors going to files.
class Child
{
public:
    Child(const std::vector<std::string>& arguments, const test::ScratchDir& outputs)
        : m_out(outputs.file("stdout")), m_err(outputs.file("stderr"))
    {
        const std::string program = std::string(LISTORIX_BINARY_DIR) + "/listorix-poll";
        std::vector<std::string> argv = {program};
        argv.insert(argv.end(), arguments.begin(), arguments.end());
        std::vector<char*> raw;
        for (std::string& arg : argv)
            raw.push_back(arg.data());
        raw.push_back(nullptr);
        // Only system calls between fork and exec: the test's threads may hold locks.
        m_pid = ::fork();
        if (m_pid == 0) {
            const int out = ::open(m_out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            const int err = ::open(m_err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            ::dup2(out, 1);
            ::dup2(err, 2);
            ::execv(program.c_str(), raw.data());
            ::_exit(127);
        }
    }
    ~Child()
    {
        if (m_pid > 0 && !m_status) {
            ::kill(m_pid, SIGKILL);
            ::waitpid(m_pid, nullptr, 0);
        }
    }

    // The exit status; -1 when it did not end in time (it is then killed).
    int wait(std::chrono::seconds timeout = 30s)
    {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (!m_status && std::chrono::steady_clock::now() < deadline) {
            int status = 0;
            if (::waitpid(m_pid, &status, WNOHANG) == m_pid)
                m_status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            else
                std::this_thread::sleep_for(10ms);
        }
        return m_status.value_or(-1);
    }
    void signal(int number) { ::kill(m_pid, number); }
    std::string out() const { return test::readFile(m_out); }
    std::string err() const { return test::readFile(m_err); }
    // Waits until standard error holds `text`.
    bool waitForError(const std::string& text, std::chrono::seconds timeout = 20s) const
    {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (err().find(text) == std::string::npos) {
            if (std::chrono::steady_clock::now() > deadline)
                return false;
            std::this_thread::sleep_for(10ms);
        }
        return true;
    }

private:
    std::filesystem::path m_out;
    std::filesystem::path m_err;
    pid_t m_pid = -1;
    std::optional<int> m_status;
};

TEST(ListorixPoll, oneCycleFillsTheFiveCachesAndPrintsTheTables)
{
    RunningServer service;
    const ProgramFolder folder("127.0.0.1:" + std::to_string(service.port()));
    test::ScratchDir outputs;
    Child poll({"--dir", folder.dir.path().string(), "--cycles", "1", "--no-wait"}, outputs);
    ASSERT_EQ(poll.wait(), 0) << poll.err();

    for (const char* cache : test::kCacheFiles)
        EXPECT_GT(std::filesystem::file_size(folder.file(cache)), 0u) << cache;
    const std::string out = poll.out();
    std::size_t at = 0;
    for (const char* table :
         {"Indici\r\nValori del 25/01/2005\tvar.\tvalore\tora\tmin\tmax\r\nMIBTEL\t",
          "Titoli azionari\r\nCodice\tNome\tFlash\tdata\tora\tapert.\t",
          "Obbligazioni\r\nCodice\tNome\tFlash\tdata\tora\tapet.\t", "Derivati\r\nCodice\tNome\tFlash\t",
          "Fondi\r\nCodice\tNome\tChiusura\tdata\r\n"}) {
        at = out.find(table, at);
        EXPECT_NE(at, std::string::npos) << table;
    }
    EXPECT_NE(out.find("\r\nENI.MI\tENI\t"), std::string::npos);
    EXPECT_NE(poll.err().find("listorix-poll: Inizio connessione con Yahoo finanza: Fondi 1/1\n"),
              std::string::npos);
    // The shutdown saved the widths and series as the program does.
    EXPECT_NE(test::readFile(folder.file("LISTORIX.INI")).find("[MIBTEL Series]\r\nDATA=25/01/2005\r\n"),
              std::string::npos);
}

// The "Avviso: " lines of standard error.
std::vector<std::string> alertLines(const std::string& err)
{
    std::vector<std::string> lines;
    for (std::size_t at = err.find("Avviso: "); at != std::string::npos; at = err.find("Avviso: ", at + 1)) {
        if (at == 0 || err[at - 1] == '\n')
            lines.push_back(err.substr(at, err.find('\n', at) - at));
    }
    return lines;
}

TEST(ListorixPoll, printsTheAlertsALiveDownloadFiresAndNoneOfTheReplay)
{
    RunningServer service;
    // ENI's cached price would fire its alert; the live one (near 13,80) does not.
    // A2A's alert holds at any price.
    const ProgramFolder folder("127.0.0.1:" + std::to_string(service.port()),
                               "[Avvisi]\r\n1=TA;ENI.MI;;2;;\r\n2=TA;A2A.MI;0,0001;;;\r\n");
    folder.dir.write("y_mibtel.dat", "\"ENI.MI\";\"ENI\";1.5;1/24/2005;17:35\r\n");
    test::ScratchDir outputs;
    {
        Child poll({"--dir", folder.dir.path().string(), "--cycles", "1", "--no-wait"}, outputs);
        ASSERT_EQ(poll.wait(), 0) << poll.err();
        const std::vector<std::string> alerts = alertLines(poll.err());
        ASSERT_EQ(alerts.size(), 1u) << poll.err();
        EXPECT_TRUE(alerts[0].starts_with("Avviso: A2A.MI: ")) << alerts[0];
        EXPECT_NE(alerts[0].find(" >= 0,0001"), std::string::npos) << alerts[0];
    }
    const std::string ini = test::readFile(folder.file("LISTORIX.INI"));
    // Only the state that changed is written; ENI's line stays as it was.
    EXPECT_NE(ini.find("\r\n1=TA;ENI.MI;;2;;\r\n2=TA;A2A.MI;0,0001;;;S--;\r\n"), std::string::npos) << ini;

    // Fired already: the next run's download tells nothing new.
    Child again({"--dir", folder.dir.path().string(), "--cycles", "1", "--no-wait"}, outputs);
    ASSERT_EQ(again.wait(), 0) << again.err();
    EXPECT_TRUE(alertLines(again.err()).empty()) << again.err();
}

TEST(ListorixPoll, withTheServiceStoppedItReportsTheUrlAndKeepsTheCaches)
{
    // A port that refuses connections: bound, never listening.
    const int reserved = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ASSERT_EQ(::bind(reserved, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(::getsockname(reserved, reinterpret_cast<sockaddr*>(&address), &length), 0);
    const ProgramFolder folder("127.0.0.1:" + std::to_string(ntohs(address.sin_port)));
    for (const char* cache : test::kCacheFiles)
        folder.dir.write(cache, "\"OLD.MI\";\"OLD\";1.5;1/24/2005;17:35\r\n");

    test::ScratchDir outputs;
    Child poll({"--dir", folder.dir.path().string(), "--cycles=1", "--no-wait"}, outputs);
    EXPECT_EQ(poll.wait(), 1);
    ::close(reserved);

    EXPECT_NE(poll.err().find("listorix-poll: Errore contattando l'url: http://127.0.0.1:"),
              std::string::npos)
        << poll.err();
    EXPECT_EQ(poll.out(), "");
    for (const char* cache : test::kCacheFiles)
        EXPECT_EQ(test::readFile(folder.file(cache)), "\"OLD.MI\";\"OLD\";1.5;1/24/2005;17:35\r\n") << cache;
}

TEST(ListorixPoll, sigtermStopsAfterTheCurrentRequestWithTheSavesDone)
{
    quoted::Faults slow;
    slow.delay = 3000ms; // long enough for the signal to come while the first request waits
    RunningServer service(slow);
    const ProgramFolder folder("127.0.0.1:" + std::to_string(service.port()));
    test::ScratchDir outputs;
    Child poll({"--dir", folder.dir.path().string(), "--no-wait"}, outputs);
    ASSERT_TRUE(poll.waitForError("Inizio connessione con http://")) << poll.err();
    poll.signal(SIGTERM);

    EXPECT_EQ(poll.wait(), 0) << poll.err();
    EXPECT_TRUE(std::filesystem::exists(folder.file("i.dat")));
    EXPECT_FALSE(std::filesystem::exists(folder.file("y_mibtel.dat")));
    EXPECT_EQ(poll.out().find("Titoli azionari"), std::string::npos);
    EXPECT_NE(test::readFile(folder.file("LISTORIX.INI")).find("[Grids]\r\n"), std::string::npos);
}

// The run command points its demo folder at the service it started this way.
TEST(ListorixPoll, setHostWritesOnlyTheQuoteHostAndFetchesNothing)
{
    test::ScratchDir folder;
    test::ScratchDir outputs;
    folder.write("LISTORIX.INI", "[PROXY]\r\nENABLED=N\r\n[SERVIZIO]\r\nSORGENTE=demo\r\nHOST=old:1\r\n"
                                 "[Note]\r\nDi mano=mia \xE0\r\n");
    Child rewrite({"--dir", folder.path().string(), "--set-host", "127.0.0.1:9000"}, outputs);
    EXPECT_EQ(rewrite.wait(), 0) << rewrite.err();
    EXPECT_EQ(test::readFile(folder.file("LISTORIX.INI")),
              "[PROXY]\r\nENABLED=N\r\n[SERVIZIO]\r\nSORGENTE=demo\r\nHOST=127.0.0.1:9000\r\n"
              "[Note]\r\nDi mano=mia \xE0\r\n");
    EXPECT_FALSE(std::filesystem::exists(folder.file("i.dat")));

    test::ScratchDir empty;
    Child first({"--dir", empty.path().string(), "--set-host=127.0.0.1:9001"}, outputs);
    EXPECT_EQ(first.wait(), 0) << first.err();
    EXPECT_EQ(test::readFile(empty.file("LISTORIX.INI")), "[SERVIZIO]\r\nHOST=127.0.0.1:9001\r\n");

    Child wrong({"--dir", empty.path().string(), "--set-host", "evil\r\nHost: x"}, outputs);
    EXPECT_EQ(wrong.wait(), 2);
    EXPECT_NE(wrong.err().find("not a usable quote host"), std::string::npos) << wrong.err();
    EXPECT_EQ(test::readFile(empty.file("LISTORIX.INI")), "[SERVIZIO]\r\nHOST=127.0.0.1:9001\r\n");
}

TEST(ListorixPoll, commandLine)
{
    using poll::parsePollCommandLine;
    const auto parsed = parsePollCommandLine({"--dir", "/data/listorix", "--cycles=3", "--no-wait"});
    ASSERT_TRUE(parsed.options) << parsed.error;
    EXPECT_EQ(parsed.options->dir, "/data/listorix/");
    EXPECT_EQ(parsed.options->cycles, 3);
    EXPECT_TRUE(parsed.options->noWait);
    EXPECT_FALSE(parsePollCommandLine({"--dir", "d"}).options->cycles);
    EXPECT_TRUE(parsePollCommandLine({"--print-requests", "--dir", "d"}).options->printRequests);

    for (const std::vector<std::string>& wrong :
         std::vector<std::vector<std::string>>{{},
                                               {"--cycles", "1"},
                                               {"--dir", "d", "--cycles", "0"},
                                               {"--dir", "d", "--cycles", "x"},
                                               {"--dir", "d", "--cycles"},
                                               {"--dir"},
                                               {"--dir", "d", "--loud"}}) {
        EXPECT_FALSE(parsePollCommandLine(wrong).options) << ::testing::PrintToString(wrong);
    }
}

} // namespace
} // namespace listorix
