#pragma once

#include "base/Date.h"
#include "base/LineList.h"
#include "market/AnswerSink.h"

#include <functional>
#include <optional>
#include <string_view>

namespace listorix {

class IndexPanel;
class IntradayChart;

// The service's date form month/day/year ("1/25/2005"); nothing when a part is
// missing, is not a whole number or the day does not exist.
std::optional<Date> parseServiceDate(std::string_view text);

// Reads the index answer (one line per index: MIBTEL, MIB30, MIDEX, S&P MIB;
// fields symbol;last;date;time;change;high;low;previous close) into the panel and
// the day's chart. It is the indices connection's sink, handed a live fetch's
// answer and the cached answer replayed at start-up. Main thread only.
class IndexAnswerParser final : public AnswerSink
{
public:
    IndexAnswerParser(IndexPanel& panel, IntradayChart& chart, std::function<void()> refreshTrayHint);

    // An answer of fewer than four lines, or with fewer than eight fields in any of
    // them, is refused whole as an empty one is: only the S&P MIB texts are emptied.
    AnswerVerdict ParseIndexAnswer(const LineList& lines, AnswerOrigin origin);

    AnswerVerdict take(const LineList& lines, AnswerOrigin origin) override
    {
        return ParseIndexAnswer(lines, origin);
    }

private:
    IndexPanel& m_panel;
    IntradayChart& m_chart;
    std::function<void()> m_refreshTrayHint;
};

} // namespace listorix
