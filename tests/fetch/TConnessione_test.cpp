#include "base/TextSink.h"
#include "fetch/TConnessione.h"
#include "market/AnswerSink.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace listorix {
namespace {

class RecordingLabel final : public TextSink
{
public:
    void setText(const std::string& text) override { texts.push_back(text); }
    std::string last() const { return texts.empty() ? std::string("<never written>") : texts.back(); }

    std::vector<std::string> texts;
};

// Where the answers of these connections would go; the schedule never asks.
class IgnoredAnswers final : public AnswerSink
{
public:
    AnswerVerdict take(const LineList&, AnswerOrigin) override { return AnswerVerdict::Read; }
} noAnswers;

TEST(TConnessione, countdownTextShowsOnlyTheFieldsNeeded)
{
    const struct
    {
        std::int64_t remaining;
        const char* text;
    } cases[] = {
        {45, "45"},
        {0, "00"},
        {-5, "00"},
        {59, "59"},
        {60, "01.00"},
        {125, "02.05"},
        {3599, "59.59"},
        {3600, "01.00.00"},
        {10800, "03.00.00"},
        {86399, "23.59.59"},
        // A day or more keeps counting hours instead of wrapping round.
        {86400, "24.00.00"},
        {90061, "25.01.01"},
        {360000, "100.00.00"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.remaining);
        EXPECT_EQ(TConnessione::countdownText(c.remaining), c.text);
    }
}

TEST(TConnessione, constructionCopiesTheRequestsAndLeavesTheLabelAlone)
{
    std::vector<std::string> requests = {"/d/quotes.csv?s=A", "/d/quotes.csv?s=B\tSecondi"};
    RecordingLabel label;
    const TConnessione connection(ConnectionId::Azioni, requests, 120, &label, noAnswers);
    requests.clear();

    EXPECT_FALSE(connection.Locked);
    EXPECT_EQ(connection.Elapsed, -1);
    EXPECT_EQ(connection.IntervalSeconds, 120);
    EXPECT_EQ(connection.Requests.size(), 2u);
    EXPECT_EQ(connection.Requests[1], "/d/quotes.csv?s=B\tSecondi");
    EXPECT_FALSE(connection.Enabled);
    EXPECT_EQ(connection.CountdownLabel, &label);
    EXPECT_EQ(&connection.sink(), &noAnswers);
    EXPECT_EQ(connection.CacheFileName(), "y_mibtel.dat");
    EXPECT_TRUE(label.texts.empty());
}

TEST(TConnessione, dueTestFollowsEnabledFirstFetchAndInterval)
{
    const struct
    {
        bool enabled;
        std::int32_t elapsed;
        std::int32_t interval;
        bool due;
    } cases[] = {
        {false, -1, 120, false}, {false, 500, 120, false}, {true, -1, 120, true},
        {true, -1, 0, true}, // never fetched: due at once, even when manual
        {true, 0, 0, false},     {true, 119, 120, false},  {true, 120, 120, true},
        {true, 130, 120, true},  {true, 5, -60, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.enabled << ' ' << c.elapsed << '/' << c.interval);
        TConnessione connection(ConnectionId::Azioni, {}, c.interval, nullptr, noAnswers);
        connection.Enabled = c.enabled;
        connection.Elapsed = c.elapsed;
        EXPECT_EQ(connection.IsDue(), c.due);
    }
}

TEST(TConnessione, countsDownATwoMinuteIntervalToDue)
{
    RecordingLabel label;
    TConnessione connection(ConnectionId::Azioni, {}, 120, &label, noAnswers);
    connection.Enabled = true;

    connection.Restart();
    EXPECT_EQ(label.last(), "02.00");
    connection.Tick();
    EXPECT_EQ(label.last(), "01.59");
    EXPECT_EQ(connection.Elapsed, 1);
    for (int i = 1; i < 120; ++i) {
        EXPECT_FALSE(connection.IsDue());
        connection.Tick();
    }
    EXPECT_EQ(label.last(), "00");
    EXPECT_TRUE(connection.IsDue());
    EXPECT_EQ(label.texts.size(), 121u);
}

TEST(TConnessione, manualOrDisabledConnectionIgnoresTicks)
{
    RecordingLabel label;
    TConnessione manual(ConnectionId::Azioni, {}, 0, &label, noAnswers);
    manual.Enabled = true;
    manual.Restart();
    EXPECT_EQ(label.last(), "manual");
    manual.Tick();
    EXPECT_EQ(manual.Elapsed, 0);
    EXPECT_EQ(label.texts.size(), 1u);
    EXPECT_FALSE(manual.IsDue());

    RecordingLabel frozen;
    TConnessione disabled(ConnectionId::Azioni, {}, 120, &frozen, noAnswers);
    disabled.Restart();
    disabled.Tick();
    EXPECT_EQ(disabled.Elapsed, 0);
    EXPECT_EQ(frozen.texts, std::vector<std::string>{"02.00"});
}

TEST(TConnessione, retryLaterComesOneMinuteAhead)
{
    const struct
    {
        std::int32_t interval;
        std::int32_t elapsed;
        const char* label;
    } cases[] = {
        {0, 0, "manual"}, {30, 0, "30"},       {60, 0, "01.00"},
        {61, 1, "01.00"}, {300, 240, "01.00"}, {10800, 10740, "01.00"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.interval);
        RecordingLabel label;
        TConnessione connection(ConnectionId::Azioni, {}, c.interval, &label, noAnswers);
        connection.Enabled = true;
        connection.RetryLater();
        EXPECT_EQ(connection.Elapsed, c.elapsed);
        EXPECT_EQ(label.last(), c.label);
    }

    TConnessione connection(ConnectionId::Azioni, {}, 300, nullptr, noAnswers);
    connection.Enabled = true;
    connection.RetryLater();
    for (int i = 0; i < 59; ++i)
        connection.Tick();
    EXPECT_FALSE(connection.IsDue());
    connection.Tick();
    EXPECT_TRUE(connection.IsDue());
}

TEST(TConnessione, newIntervalTakesEffectFromTheNextTick)
{
    RecordingLabel label;
    TConnessione connection(ConnectionId::Azioni, {}, 300, &label, noAnswers);
    connection.Enabled = true;
    connection.Restart();
    connection.Tick();
    EXPECT_EQ(label.last(), "04.59");

    connection.SetIntervalMinutes(180);
    EXPECT_EQ(connection.IntervalSeconds, 10800);
    EXPECT_EQ(connection.Elapsed, 1);
    EXPECT_EQ(label.texts.size(), 2u);
    connection.Tick();
    EXPECT_EQ(label.last(), "02.59.58");
    connection.Restart();
    EXPECT_EQ(label.last(), "03.00.00");
}

TEST(TConnessione, extremeIntervalsStayInRange)
{
    TConnessione connection(ConnectionId::Azioni, {}, 0, nullptr, noAnswers);
    connection.SetIntervalMinutes(std::numeric_limits<int>::max());
    EXPECT_EQ(connection.IntervalSeconds, std::numeric_limits<std::int32_t>::max());
    connection.SetIntervalMinutes(std::numeric_limits<int>::min());
    EXPECT_LT(connection.IntervalSeconds, 0);

    RecordingLabel label;
    TConnessione longest(ConnectionId::Azioni, {}, std::numeric_limits<std::int32_t>::max(), &label,
                         noAnswers);
    longest.Enabled = true;
    longest.Elapsed = std::numeric_limits<std::int32_t>::max();
    longest.Tick();
    EXPECT_EQ(longest.Elapsed, std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(label.last(), "00");
}

TEST(TConnessione, lockFlagIsSetAndCleared)
{
    TConnessione connection(ConnectionId::Azioni, {}, 120, nullptr, noAnswers);
    connection.Lock();
    EXPECT_TRUE(connection.IsLocked());
    connection.Unlock();
    EXPECT_FALSE(connection.IsLocked());
}

TEST(TConnessione, itsAnswersGoToTheSinkItWasMadeWithAndItsCacheFileIsItsRows)
{
    struct Recording final : AnswerSink
    {
        std::size_t lines = 0;
        AnswerOrigin origin = AnswerOrigin::Live;
        AnswerVerdict take(const LineList& answer, AnswerOrigin from) override
        {
            lines = answer.size();
            origin = from;
            return answer.empty() ? AnswerVerdict::Refused : AnswerVerdict::Read;
        }
    } sink;
    const TConnessione funds(ConnectionId::Fondi, {}, 120, nullptr, sink);
    EXPECT_EQ(funds.sink().take({"a", "b"}, AnswerOrigin::Replay), AnswerVerdict::Read);
    EXPECT_EQ(sink.lines, 2u);
    EXPECT_EQ(sink.origin, AnswerOrigin::Replay);
    EXPECT_EQ(funds.id(), ConnectionId::Fondi);
    EXPECT_EQ(funds.CacheFileName(), "y_fondi.dat");
}

} // namespace
} // namespace listorix
