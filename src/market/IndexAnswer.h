#pragma once

#include "base/Date.h"
#include "base/LineList.h"
#include "fetch/TConnessione.h"

#include <functional>
#include <optional>
#include <string_view>

namespace listorix {

class IndexPanel;
class IntradayChart;
class TextSink;

// The service's date form month/day/year ("1/25/2005"); nothing when a part is
// missing, is not a whole number or the day does not exist.
std::optional<Date> parseServiceDate(std::string_view text);

// Reads the index answer (one line per index: MIBTEL, MIB30, MIDEX, S&P MIB;
// fields symbol;last;date;time;change;high;low;previous close) into the panel and
// the day's chart. It is the indices connection's answer callback, called after a
// live fetch and when the cached answer is replayed at start-up. Main thread only.
class IndexAnswerParser final
{
public:
    IndexAnswerParser(IndexPanel& panel, IntradayChart& chart, TextSink& status,
                      std::function<void()> refreshTrayHint);

    // An answer of fewer than four lines, or with fewer than eight fields in any of
    // them, is rejected whole as an empty one is: only the S&P MIB texts are
    // emptied, and after a live fetch `connection` retries in a minute with the
    // failure in the status line (a replayed answer changes nothing else). True
    // when the answer was read.
    bool ParseIndexAnswer(TConnessione& connection, const LineList& lines, AnswerOrigin origin);

    // ParseIndexAnswer bound to this parser, for the connection's OnAnswer.
    TConnessione::AnswerCallback answerCallback();

private:
    void concludeFailedAnswer(TConnessione& connection, AnswerOrigin origin);

    IndexPanel& m_panel;
    IntradayChart& m_chart;
    TextSink& m_status;
    std::function<void()> m_refreshTrayHint;
};

} // namespace listorix
