#pragma once

#include "base/LineList.h"

namespace listorix {

// Where the lines handed to a sink come from: a fetch that has just ended, or the
// cache file replayed at start-up.
enum class AnswerOrigin
{
    Live,
    Replay
};

// What a sink made of an answer. A refused answer (empty, or too short to read)
// left the category as it was; what follows from that (a retry in a minute, the
// failure in the status line, no cache file) is the fetch's business.
enum class AnswerVerdict
{
    Read,
    Refused
};

// What reads a category's cleaned answer into the table or panel it is bound to:
// the security answer of a quote table, the index answer of the panel and chart.
// Each connection is made with its sink. Main thread only.
class AnswerSink
{
public:
    virtual ~AnswerSink() = default;

    virtual AnswerVerdict take(const LineList& lines, AnswerOrigin origin) = 0;
};

} // namespace listorix
