#include "base/TextSink.h"
#include "fetch/TConnessione.h"

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
    std::vector<std::string> requests = {"http://host/d/quotes.csv?s=A",
                                         "http://host/d/quotes.csv?s=B\tSecondi"};
    RecordingLabel label;
    const TConnessione connection(requests, 120, &label);
    requests.clear();

    EXPECT_FALSE(connection.Locked);
    EXPECT_EQ(connection.Elapsed, -1);
    EXPECT_EQ(connection.IntervalSeconds, 120);
    EXPECT_EQ(connection.Requests.size(), 2u);
    EXPECT_EQ(connection.Requests[1], "http://host/d/quotes.csv?s=B\tSecondi");
    EXPECT_EQ(connection.RequestIndex, 0);
    EXPECT_FALSE(connection.Enabled);
    EXPECT_EQ(connection.CountdownLabel, &label);
    EXPECT_EQ(connection.Worker, nullptr);
    EXPECT_EQ(connection.Grid, nullptr);
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
        TConnessione connection({}, c.interval, nullptr);
        connection.Enabled = c.enabled;
        connection.Elapsed = c.elapsed;
        EXPECT_EQ(connection.IsDue(), c.due);
    }
}

TEST(TConnessione, countsDownATwoMinuteIntervalToDue)
{
    RecordingLabel label;
    TConnessione connection({}, 120, &label);
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
    TConnessione manual({}, 0, &label);
    manual.Enabled = true;
    manual.Restart();
    EXPECT_EQ(label.last(), "manual");
    manual.Tick();
    EXPECT_EQ(manual.Elapsed, 0);
    EXPECT_EQ(label.texts.size(), 1u);
    EXPECT_FALSE(manual.IsDue());

    RecordingLabel frozen;
    TConnessione disabled({}, 120, &frozen);
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
        TConnessione connection({}, c.interval, &label);
        connection.Enabled = true;
        connection.RetryLater();
        EXPECT_EQ(connection.Elapsed, c.elapsed);
        EXPECT_EQ(label.last(), c.label);
    }

    TConnessione connection({}, 300, nullptr);
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
    TConnessione connection({}, 300, &label);
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
    TConnessione connection({}, 0, nullptr);
    connection.SetIntervalMinutes(std::numeric_limits<int>::max());
    EXPECT_EQ(connection.IntervalSeconds, std::numeric_limits<std::int32_t>::max());
    connection.SetIntervalMinutes(std::numeric_limits<int>::min());
    EXPECT_LT(connection.IntervalSeconds, 0);

    RecordingLabel label;
    TConnessione longest({}, std::numeric_limits<std::int32_t>::max(), &label);
    longest.Enabled = true;
    longest.Elapsed = std::numeric_limits<std::int32_t>::max();
    longest.Tick();
    EXPECT_EQ(longest.Elapsed, std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(label.last(), "00");
}

TEST(TConnessione, lockFlagIsSetAndCleared)
{
    TConnessione connection({}, 120, nullptr);
    connection.Lock();
    EXPECT_TRUE(connection.IsLocked());
    connection.Unlock();
    EXPECT_FALSE(connection.IsLocked());
}

TEST(TConnessione, answerCallbackReceivesTheConnectionAndTheLines)
{
    struct Owner
    {
        TConnessione* seen = nullptr;
        std::size_t lines = 0;
        AnswerOrigin origin = AnswerOrigin::Live;
        bool parse(TConnessione& connection, const std::vector<std::string>& answer, AnswerOrigin from)
        {
            seen = &connection;
            lines = answer.size();
            origin = from;
            return !answer.empty();
        }
    } owner;
    TConnessione connection({}, 120, nullptr);
    connection.OnAnswer = [&owner](TConnessione& c, const std::vector<std::string>& lines,
                                   AnswerOrigin origin) { return owner.parse(c, lines, origin); };
    EXPECT_TRUE(connection.OnAnswer(connection, {"a", "b"}, AnswerOrigin::Replay));
    EXPECT_EQ(owner.seen, &connection);
    EXPECT_EQ(owner.lines, 2u);
    EXPECT_EQ(owner.origin, AnswerOrigin::Replay);
}

} // namespace
} // namespace listorix
