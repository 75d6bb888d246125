// The fetch of one connection: entries one after another, the collected answer
// parsed once and cached, failures retried in a minute, the stop and close paths.
#include "AnsweringPrompts.h"
#include "FakeToolkit.h"
#include "ScratchDir.h"
#include "fetch/FetchDispatch.h"
#include "fetch/Schedule.h"
#include "fetch/TConnessione.h"
#include "market/AnswerSink.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <stdexcept>

namespace listorix {
namespace {

using test::FakeMainThread;
using test::FakeWorkers;

std::string readFile(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// The fixture is the connection's sink and the fetch's observer.
class FetchDispatchTest : public ::testing::Test, public AnswerSink, public FetchObserver
{
protected:
    FetchDispatchTest() { shares.Enabled = true; }

    AnswerVerdict take(const LineList& lines, AnswerOrigin origin) override
    {
        if (parseThrows)
            throw std::runtime_error("malformed");
        parsed.push_back(lines);
        origins.push_back(origin);
        return accept ? AnswerVerdict::Read : AnswerVerdict::Refused;
    }
    void answerRead(ConnectionId) override { ++revalued; }
    void fetchEnded(ConnectionId, FetchOutcome outcome) override { outcomes.push_back(outcome); }

    void startShares() { dispatch.StartFetch(shares, false); }
    std::filesystem::path cacheFile() const { return dir.file("y_mibtel.dat"); }

    test::ScratchDir dir;
    FakeMainThread mainThread;
    test::AnsweringPrompts prompts;
    test::RecordingIndicator indicator;
    test::RecordingSink status;
    test::RecordingSink transfer;
    test::RecordingSink countdown;
    test::FakeTimer timer; // switched on each time the fetch's end unlocks the schedule
    FakeWorkers workers{mainThread};
    int revalued = 0;
    std::vector<FetchOutcome> outcomes;
    Schedule schedule{timer, mainThread};
    FetchDispatch dispatch{mainThread, prompts, indicator, status, transfer,
                           dir.path(), workers, schedule,  *this};
    TConnessione shares{ConnectionId::Azioni,
                        {"http://q/1\tTitoli 1/3", "http://q/2\tTitoli 2/3", "http://q/3\tTitoli 3/3"},
                        300,
                        &countdown,
                        *this};
    std::vector<LineList> parsed;
    std::vector<AnswerOrigin> origins;
    bool accept = true;
    bool parseThrows = false;
};

TEST_F(FetchDispatchTest, threeEntriesAreFetchedInTurnParsedOnceAndCached)
{
    startShares();
    EXPECT_EQ(dispatch.CurrentConnection(), &shares);
    EXPECT_EQ(countdown.texts, std::vector<std::string>{"CONNECT"});
    EXPECT_TRUE(indicator.fetching());

    workers.answer("\"A.MI\";1\r\n<html>\r\n");
    workers.answer("\"B.MI\";2&amp;3\n");
    EXPECT_TRUE(parsed.empty());
    workers.answer("\"C.MI\";3");

    EXPECT_EQ(workers.requested, (std::vector<std::string>{"http://q/1", "http://q/2", "http://q/3"}));
    EXPECT_EQ(workers.made, 3);
    const std::vector<std::string> started = {"Inizio connessione con Titoli 1/3", "",
                                              "Inizio connessione con Titoli 2/3", "",
                                              "Inizio connessione con Titoli 3/3", ""};
    EXPECT_EQ(status.texts, started);
    // One parse of every answer's lines, in order, cleaned over the whole.
    const LineList all = {"\"A.MI\";1", "\"B.MI\";2&3", "\"C.MI\";3"};
    ASSERT_EQ(parsed.size(), 1u);
    EXPECT_EQ(parsed[0], all);
    EXPECT_EQ(origins[0], AnswerOrigin::Live);
    EXPECT_EQ(readFile(cacheFile()), "\"A.MI\";1\r\n\"B.MI\";2&3\r\n\"C.MI\";3\r\n");

    EXPECT_EQ(shares.Elapsed, 0);
    EXPECT_EQ(countdown.texts, (std::vector<std::string>{"CONNECT", "05.00", "END"}));
    EXPECT_EQ(dispatch.CurrentConnection(), nullptr);
    EXPECT_FALSE(indicator.fetching());
    EXPECT_EQ(revalued, 1);
    EXPECT_EQ(timer.enables, 1);
    EXPECT_EQ(outcomes, std::vector<FetchOutcome>{FetchOutcome::Answered});
    EXPECT_TRUE(prompts.shown.empty());
}

TEST_F(FetchDispatchTest, aFailedRequestDropsTheAnswerKeepsTheCacheAndRetriesInAMinute)
{
    dir.write("y_mibtel.dat", "OLD\r\n");
    startShares();
    workers.answer("\"A.MI\";1\r\n");
    workers.fail();

    EXPECT_EQ(workers.made, 2);
    EXPECT_TRUE(parsed.empty());
    EXPECT_TRUE(dispatch.AnswerLines().empty());
    EXPECT_EQ(readFile(cacheFile()), "OLD\r\n");
    EXPECT_EQ(status.last(), "Errore contattando l'url: http://q/2");
    EXPECT_EQ(shares.Elapsed, 240);
    EXPECT_EQ(countdown.texts, (std::vector<std::string>{"CONNECT", "01.00", "END"}));
    EXPECT_EQ(dispatch.CurrentConnection(), nullptr);
    EXPECT_EQ(revalued, 0);
    EXPECT_EQ(timer.enables, 1);
    EXPECT_EQ(outcomes, std::vector<FetchOutcome>{FetchOutcome::Failed});
}

// A sink that refuses its answer, or throws, ends the fetch as a failed request
// does: no cache, a retry in a minute said in the status line, the schedule
// released. The dispatch alone does that: the sinks only give their verdict.
TEST_F(FetchDispatchTest, aRefusedOrFailingParseConcludesAFailedFetch)
{
    for (const bool throws : {false, true}) {
        SCOPED_TRACE(throws ? "throws" : "refuses");
        accept = false;
        parseThrows = throws;
        timer.enables = 0;
        shares.Requests = {"http://q/index"};
        shares.Restart();
        startShares();
        workers.answer("too;short");

        EXPECT_FALSE(std::filesystem::exists(cacheFile()));
        EXPECT_EQ(shares.Elapsed, 240);
        EXPECT_EQ(status.last(), "Connessione fallita, ritento fra un minuto");
        EXPECT_EQ(countdown.last(), "END");
        EXPECT_EQ(dispatch.CurrentConnection(), nullptr);
        EXPECT_FALSE(indicator.fetching());
        EXPECT_EQ(timer.enables, 1);
        EXPECT_EQ(revalued, 0);
        EXPECT_EQ(outcomes.back(), FetchOutcome::Failed);
    }
}

TEST_F(FetchDispatchTest, entriesWithoutCaptionOrUrlAndAnEmptyList)
{
    // A bare URL names itself in the status line.
    shares.Requests = {"http://q/bare"};
    startShares();
    EXPECT_EQ(status.texts.front(), "Inizio connessione con http://q/bare");
    workers.answer("X;1");

    // No entry at all: the worker ends at once, the status line is emptied, and
    // the fetch fails.
    shares.Requests.clear();
    status.texts.clear();
    startShares();
    EXPECT_EQ(status.texts, std::vector<std::string>{""});
    mainThread.runAll();
    EXPECT_EQ(dispatch.CurrentConnection(), nullptr);
    EXPECT_EQ(shares.Elapsed, 240);
    EXPECT_EQ(outcomes, (std::vector<FetchOutcome>{FetchOutcome::Answered, FetchOutcome::Failed}));
}

TEST_F(FetchDispatchTest, aSecondLiveStartOnlyWarns)
{
    startShares();
    TConnessione other(ConnectionId::Obbligazioni, {"http://q/other"}, 300, nullptr, *this);
    dispatch.StartFetch(other, false);

    EXPECT_EQ(prompts.shown,
              std::vector<std::string>{"warning: Un'altra connessione \xE8 gi\xE0 in corso, ritenta!"});
    EXPECT_EQ(dispatch.CurrentConnection(), &shares);
    EXPECT_EQ(workers.made, 1);
}

TEST_F(FetchDispatchTest, stopDuringAnEntryGoesOnWithTheNextAndTheLastStopParsesWhatArrived)
{
    startShares();
    workers.running().partial = "\"A.MI\";1\r\n\"B.M";
    dispatch.StopWorker();
    EXPECT_EQ(dispatch.CurrentConnection(), &shares);
    EXPECT_EQ(workers.requested.size(), 2u);

    workers.answer("\"C.MI\";3\r\n");
    workers.running().partial = "\"D.MI\";4\r\n";
    dispatch.StopWorker();

    ASSERT_EQ(parsed.size(), 1u);
    EXPECT_EQ(parsed[0], (LineList{"\"A.MI\";1", "\"B.M", "\"C.MI\";3", "\"D.MI\";4"}));
    EXPECT_TRUE(std::filesystem::exists(cacheFile()));
    EXPECT_EQ(dispatch.CurrentConnection(), nullptr);
}

TEST_F(FetchDispatchTest, aStopAfterTheRequestEndedOnlyWaitsForItsCompletion)
{
    shares.Requests = {"http://q/1"};
    startShares();
    workers.running().finish(true, "A;1");
    dispatch.StopWorker();

    EXPECT_EQ(parsed.size(), 1u);
    EXPECT_EQ(parsed[0], LineList{"A;1"});
    EXPECT_EQ(dispatch.CurrentConnection(), nullptr);
}

TEST_F(FetchDispatchTest, closingAbandonsTheFetchWithoutParsingOrCaching)
{
    dir.write("y_mibtel.dat", "OLD\r\n");
    startShares();
    workers.answer("\"A.MI\";1\r\n");
    test::FakeWorker& second = workers.running();
    second.finish(true, "\"B.MI\";2\r\n"); // already ended; its completion is queued

    dispatch.abandonFetch();
    mainThread.runAll();

    EXPECT_EQ(std::count(workers.alive.begin(), workers.alive.end(), &second), 0);
    EXPECT_TRUE(parsed.empty());
    EXPECT_EQ(readFile(cacheFile()), "OLD\r\n");
    EXPECT_EQ(dispatch.CurrentConnection(), nullptr);
    EXPECT_EQ(timer.enables, 1);
    EXPECT_EQ(outcomes, std::vector<FetchOutcome>{FetchOutcome::Abandoned});
}

TEST_F(FetchDispatchTest, finishingAfterTheCurrentRequestSkipsTheRemainingEntries)
{
    startShares();
    dispatch.finishAfterCurrentRequest();
    workers.answer("\"A.MI\";1\r\n");

    EXPECT_EQ(workers.made, 1);
    EXPECT_TRUE(parsed.empty());
    EXPECT_FALSE(std::filesystem::exists(cacheFile()));
    EXPECT_EQ(outcomes, std::vector<FetchOutcome>{FetchOutcome::Abandoned});
}

TEST_F(FetchDispatchTest, theReplayParsesTheCacheFileAndTouchesNothingElse)
{
    dir.write("y_mibtel.dat", "\"A.MI\";1\r\n\"B.MI\";2\n");
    dispatch.StartFetch(shares, true);

    ASSERT_EQ(parsed.size(), 1u);
    EXPECT_EQ(parsed[0], (LineList{"\"A.MI\";1", "\"B.MI\";2"}));
    EXPECT_EQ(origins[0], AnswerOrigin::Replay);
    EXPECT_EQ(readFile(cacheFile()), "\"A.MI\";1\r\n\"B.MI\";2\n");
    EXPECT_TRUE(countdown.texts.empty());
    EXPECT_TRUE(indicator.changes.empty());
    EXPECT_EQ(shares.Elapsed, -1);
    EXPECT_EQ(workers.made, 0);
    EXPECT_EQ(timer.enables, 0);

    // A missing cache file, and a parse that throws, are passed over in silence.
    std::filesystem::remove(cacheFile());
    dispatch.StartFetch(shares, true);
    dir.write("y_mibtel.dat", "X\r\n");
    parseThrows = true;
    dispatch.StartFetch(shares, true);
    EXPECT_EQ(parsed.size(), 1u);
}

// An empty cache file of a quote table retries in a minute as a failed fetch does;
// a refused replay of the indices changes nothing.
TEST_F(FetchDispatchTest, aRefusedReplayRetriesInAMinuteWhereTheCategorySaysSo)
{
    accept = false;
    dir.write("y_mibtel.dat", "");
    shares.Elapsed = 10;
    dispatch.StartFetch(shares, true);
    EXPECT_EQ(shares.Elapsed, 300 - 60);
    EXPECT_EQ(countdown.texts, std::vector<std::string>{"01.00"});
    EXPECT_EQ(status.texts, std::vector<std::string>{"Connessione fallita, ritento fra un minuto"});

    test::RecordingSink indexCountdown;
    TConnessione indices(ConnectionId::Indici, {"http://q/index"}, 120, &indexCountdown, *this);
    indices.Enabled = true;
    dir.write("i.dat", "too;short\r\n");
    status.texts.clear();
    dispatch.StartFetch(indices, true);
    EXPECT_EQ(origins.back(), AnswerOrigin::Replay);
    EXPECT_EQ(indices.Elapsed, -1);
    EXPECT_TRUE(indexCountdown.texts.empty());
    EXPECT_TRUE(status.texts.empty());
    EXPECT_EQ(workers.made, 0);
    EXPECT_EQ(timer.enables, 0);
}

TEST_F(FetchDispatchTest, aCacheThatCannotBeWrittenIsReportedAndTheFetchStillSucceeds)
{
    std::filesystem::create_directory(cacheFile()); // a directory where the file should go
    shares.Requests = {"http://q/1"};
    startShares();
    workers.answer("A;1");

    EXPECT_EQ(status.last().rfind("Unable to write to ", 0), 0u) << status.last();
    EXPECT_EQ(shares.Elapsed, 0);
    EXPECT_EQ(outcomes, std::vector<FetchOutcome>{FetchOutcome::Answered});
}

} // namespace
} // namespace listorix
