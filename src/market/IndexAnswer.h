#pragma once

#include "market/Date.h"
#include "market/Util.h"
#include "retrieval/TConnessione.h"

#include <functional>
#include <optional>
#include <string_view>

namespace listorix {

class IndexPanel;
class IntradayChart;
class TextSink;

// The status text after an answer without usable lines during a fetch.
inline constexpr std::string_view kRetryStatusText = "Connessione fallita, ritento fra un minuto";

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
    // The connection of the fetch in progress; none during the start-up replay.
    using ConnectionSource = std::function<TConnessione*()>;

    IndexAnswerParser(IndexPanel& panel, IntradayChart& chart, TextSink& status,
                      ConnectionSource currentConnection, std::function<void()> refreshTrayHint);

    // An answer of fewer than four lines, or with fewer than eight fields in any of
    // them, is rejected whole as an empty one is: only the S&P MIB texts are
    // emptied, and during a fetch the connection retries in a minute with the
    // failure in the status line. True when the answer was read.
    bool ParseIndexAnswer(TConnessione& connection, const LineList& lines);

    // ParseIndexAnswer bound to this parser, for the connection's OnAnswer.
    TConnessione::AnswerCallback answerCallback();

private:
    void concludeFailedAnswer();

    IndexPanel& m_panel;
    IntradayChart& m_chart;
    TextSink& m_status;
    ConnectionSource m_currentConnection;
    std::function<void()> m_refreshTrayHint;
};

} // namespace listorix
