#pragma once

#include "base/LineList.h"
#include "market/Categories.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace listorix {

class AnswerSink;
class TextSink;

// The schedule and the request list of one data category: counts the seconds
// since the last fetch, shows the time left, tells the tick when a fetch is due.
// It is made with everything a fetch of its category needs: its row of the
// category table (the cache file), its request entries and the sink its answers
// go to, already bound to its table or panel. It does no network work itself.
// The settings set Enabled and the interval. Main thread only.
class TConnessione final
{
public:
    // The label is not written until the first countdown. `sink` must outlive the
    // connection.
    TConnessione(ConnectionId id, const LineList& requests, std::int32_t intervalSeconds,
                 TextSink* countdownLabel, AnswerSink& sink);

    TConnessione(const TConnessione&) = delete;
    TConnessione& operator=(const TConnessione&) = delete;

    ConnectionId id() const { return m_id; }
    const Category& category() const { return categoryOf(m_id); }
    // Where its answers go.
    AnswerSink& sink() const { return m_sink; }
    // Its cache file's name, in ProgramDir.
    std::string_view CacheFileName() const { return category().cacheFile; }

    // Takes effect from the next tick; the label is not rewritten.
    void SetIntervalMinutes(int minutes);
    // Counts one second, only when enabled and not manual.
    void Tick();
    bool IsDue() const;
    void Restart();
    // After a failure: the next try comes one minute ahead (or after one full
    // interval when that is shorter).
    void RetryLater();
    void ShowCountdown() const;
    void Lock() { Locked = true; }
    void Unlock() { Locked = false; }
    bool IsLocked() const { return Locked; }

    // The countdown text for `remaining` seconds: "ss", "nn.ss" or "hh.nn.ss".
    static std::string countdownText(std::int64_t remainingSeconds);

    bool Locked = false;
    // Seconds since the last restart; -1 until the first fetch ends.
    std::int32_t Elapsed = -1;
    // 0 (or less) means manual: no automatic fetch after the first.
    std::int32_t IntervalSeconds = 0;
    // Request entries: a path on the quote host, or such a path, a TAB and a
    // display name.
    LineList Requests;
    bool Enabled = false;
    TextSink* CountdownLabel = nullptr;

private:
    const ConnectionId m_id;
    AnswerSink& m_sink;
};

} // namespace listorix
