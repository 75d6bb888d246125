#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace listorix {

class TAlignGrid;
class TextSink;
class HttpWorker;

// Where the lines handed to a parse routine come from: a fetch that has just
// ended, or the cache file replayed at start-up.
enum class AnswerOrigin
{
    Live,
    Replay
};

// The status text when a category's answer cannot be used and the connection
// tries again in a minute.
inline constexpr std::string_view kConnectionFailedText = "Connessione fallita, ritento fra un minuto";

// The schedule and the request list of one data category: counts the seconds
// since the last fetch, shows the time left, tells the tick when a fetch is due,
// and carries what a fetch of the category needs. It does no network work itself.
// Its users set Enabled, Grid, CacheFileName, OnAnswer, RequestIndex and Worker
// directly. Main thread only.
class TConnessione final
{
public:
    // The category's parse routine, bound to its owner: called with the
    // connection, the collected answer lines and where they come from. False when
    // it refused the answer (an empty one, or one too short to read).
    using AnswerCallback = std::function<bool(TConnessione&, const std::vector<std::string>&, AnswerOrigin)>;

    // The label is not written until the first countdown.
    TConnessione(const std::vector<std::string>& requests, std::int32_t intervalSeconds,
                 TextSink* countdownLabel);

    TConnessione(const TConnessione&) = delete;
    TConnessione& operator=(const TConnessione&) = delete;

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
    // Request entries: a URL, or a URL, a TAB and a display name.
    std::vector<std::string> Requests;
    std::int32_t RequestIndex = 0;
    bool Enabled = false;
    TextSink* CountdownLabel = nullptr;
    // The worker of the request in progress; it frees itself.
    HttpWorker* Worker = nullptr;
    // The table the answer fills; none for the indices.
    TAlignGrid* Grid = nullptr;
    std::string CacheFileName;
    AnswerCallback OnAnswer;
};

} // namespace listorix
